#pragma once

namespace rs {

// The decimal separator of the user's locale.
char DecimalSeparator();

}  // namespace rs
