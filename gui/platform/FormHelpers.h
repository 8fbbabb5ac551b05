#pragma once

// What the forms do alike.

class QWidget;

namespace rs {

// Shows a form without blocking and brings it to the front.
void ShowModeless(QWidget* form);

}  // namespace rs
