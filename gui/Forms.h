#pragma once

// The program's forms, created at start-up in their fixed order and released at the end.

namespace rs {

// Creates every form, the main window first so that it becomes the main window, and hands the
// main window's chosen entries to the dispatcher.
void CreateForms();
// Releases them in the reverse order of creation.
void DestroyForms();

}  // namespace rs
