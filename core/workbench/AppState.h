#pragma once

// The state the whole program shares, reached through one accessor so that a test can put a
// fresh one in its place, as it does with the dialogs and the shell.

#include "core/workbench/InputRows.h"
#include "core/workbench/Progress.h"

#include <string>

namespace rs {

struct AppState {
    std::string WorkFolder;       // the per-user work folder, no trailing separator
    std::string ResultsFileName;  // WorkFolder + "/Results.txt"
    RunCounters counters;         // InputLineCount, RowCounter, ProgressPercent
    InputRows input;              // ListInput, and the rows of the last load
    // The main window's hand-off to its operations: the input path and the input box's answer.
    std::string InputFileName;
    std::string SearchText;
    // One operation at a time: a run started while another one pumps events is refused.
    bool OperationRunning = false;
};

AppState& appState();
// Puts state in place of the program's own (nullptr: the program's own again).
void InstallAppState(AppState* state);

// Marks an operation as running for its lifetime, unless another one already is.
class BusyScope {
public:
    BusyScope() : acquired_(!appState().OperationRunning) { appState().OperationRunning = true; }
    ~BusyScope() {
        if (acquired_) appState().OperationRunning = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    // False when another run was already going: the caller returns quietly.
    bool acquired() const { return acquired_; }

private:
    bool acquired_;
};

// Sets WorkFolder and ResultsFileName under the given application-data folder and creates
// the work folder, and any folder above it, when missing; false when it could not be created.
// Without an application-data folder both stay empty, and nothing names a file there.
bool PrepareWorkFolder(AppState& state, const std::string& appDataFolder);
// What a run that would write in a work folder that has no name says.
inline constexpr const char* kNoWorkFolderText =
    "There is no folder for your results and pasted text. Set HOME or XDG_DATA_HOME to a folder (a full path, beginning with \"/\") and start Rowsmith again.";

}  // namespace rs
