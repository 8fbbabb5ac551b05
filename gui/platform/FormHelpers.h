#pragma once

// What the forms do alike.

class QAbstractButton;
class QWidget;

namespace rs {

// Moves a form to the middle of the primary screen's free area.
void CentreOnScreen(QWidget* form);

// Shows a form without blocking and brings it to the front.
void ShowModeless(QWidget* form);

// Makes Enter that reaches the form press button, the form's default button: Enter from the
// form itself or from a control that does not take it (a focused button or a memo takes it).
void PressOnEnter(QWidget* form, QAbstractButton* button);

}  // namespace rs
