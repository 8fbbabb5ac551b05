#pragma once

// The operation list's dispatcher: runs a main-window operation or opens the dialog of the
// chosen entry. It sits above the form folders, since it opens forms of all of them.

#include <string>

namespace rs {

class TFrmFirst;

// Runs the chosen entry; the main window has checked and re-read its input already.
void Dispatch(TFrmFirst& first, const std::string& entry);

// Makes the main window hand its chosen entries to Dispatch.
void InstallDispatcher(TFrmFirst& first);

}  // namespace rs
