#pragma once

// Runs a main-window line operation over given bytes and collects what it left behind.

#include "core/workbench/LineOperations.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <string>
#include <vector>

namespace rs::test {

struct LineRun {
    RunOutcome outcome;
    RunCounters counters;
    std::vector<std::string> lines;  // rows of the results file
    RecordingProgress progress;
    std::string searchText;   // as the run left it
    std::string resultsFile;  // where it wrote (gone once the run is over)
};

// counters.InputLineCount is rowsLoaded, or the rows of input when rowsLoaded is negative.
LineRun RunMode(const std::string& mode, const std::string& input, const std::string& searchText = "",
                char separator = '.', int rowsLoaded = -1);

}  // namespace rs::test
