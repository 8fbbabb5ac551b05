#pragma once

// Runs one operation of the input dialogs over given rows and keeps what it left behind.

#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <cstdint>
#include <string>

namespace rs::test {

struct DialogRun {
    TempDir dir;
    RecordingProgress progress;
    RunCounters counters;
    RunOutcome outcome;
    std::string file() const { return dir.file("Results.txt"); }

    // Runs fn(rows, settings, results file, progress, counters) over the lines, with a divisor of
    // their count, and gives back the lines of the results file.
    template <class Settings, class Run>
    Lines run(const Lines& lines, const Settings& s, Run fn) {
        RowList rows = RowListOf(lines);
        counters.InputLineCount = static_cast<std::int32_t>(lines.size());
        outcome = fn(rows, s, file(), progress, counters);
        return ReadCrlfLines(file());
    }
};

}  // namespace rs::test
