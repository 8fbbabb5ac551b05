#pragma once

// Split: one file into many beside it, a new file at every change of the key
// (the characters between two fixed positions of a row).

#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace rs {

struct SplitSettings {
    std::string inputPath;
    std::int32_t startPos = 1;  // 1-based character positions, both included
    std::int32_t endPos = 5;
    bool keyInName = true;  // put the key into each output file's name
};

struct SplitCounts {
    std::int64_t linesRead = 0;
    std::int64_t filesWritten = 0;
    std::int64_t rowsWritten = 0;
    std::int64_t rowsSkipped = 0;  // blank rows, plus the row that stopped the run
};

struct SplitResult {
    SplitCounts counts;
    std::string folder;  // the input's folder, with its trailing separator
    bool stoppedEarly = false;
    RunOutcome outcome;  // a failed check's message, or the folder opened and the summary
};

// The message of the first failed check, or nothing.
std::optional<std::string> ValidateSplit(const SplitSettings& s);

// The path up to and including the last separator; empty when there is none.
std::string SplitFolderOf(const std::string& path);
// From the last '.' of the file name to the end, or empty when the name has no dot.
std::string SplitExtensionOf(const std::string& path);
// folder + "File" + number [+ " " + key] + extension. Characters a file name cannot hold
// ('/' and NUL) become '_', so a key never reaches outside the folder.
std::string SplitOutputName(const std::string& folder, std::int64_t number, const std::string* key,
                            const std::string& extension);

// Checks the settings and runs the split. Messages that the user must see while it runs (an
// output that exists, the row that stops it) go to notify, which returns when the user has
// answered. Throws FileError when a file cannot be read or written; files finished before stay.
SplitResult SplitFile(const SplitSettings& s, const std::function<void(const std::string&)>& notify);

std::string SplitSummary(const SplitCounts& c);

}  // namespace rs
