#pragma once

// Combine: the lines of a list of files, in list order, into the results file.

#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rs {

struct CombineResult {
    // Lines for the results window: one "Read N lines from PATH" a file, then the totals.
    std::vector<std::string> report;
    std::int64_t linesRead = 0;
    std::int64_t linesWritten = 0;
    RunOutcome outcome;  // the results file, published once the report is shown
};

// Each entry is opened exactly as listed. A list that names the results file is refused
// (OverwriteRefused) before anything is written.
// Throws FileError when a file cannot be opened, read or written.
CombineResult CombineFiles(const std::vector<std::string>& entries, const std::string& resultsFile);

}  // namespace rs
