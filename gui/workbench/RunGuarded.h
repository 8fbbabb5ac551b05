#pragma once

#include <functional>

namespace rs {

// Runs one user-started operation. A second run while one is going is refused quietly
// (returns false). A file error ends the run: the progress window is closed and an error
// box names the file and the reason; files already written stay. Returns true when the
// operation ran to its end.
bool RunGuarded(const std::function<void()>& operation);

}  // namespace rs
