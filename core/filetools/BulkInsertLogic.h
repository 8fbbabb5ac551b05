#pragma once

// Bulk insert: copies of every matching file of a folder, with the data rows written
// before and/or after every line that holds the key.

#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

struct BulkInsertSettings {
    std::string key;        // searched exactly, case-sensitive; spaces count
    bool before = false;    // write the data rows before a key line
    bool after = false;     // write the data rows after a key line
    std::string dataText;   // the data box's whole text
    std::string extension;  // as typed, without the dot; blank means every file
};

// Counts of one run. Wider than the form's counters ever were, so that huge runs
// cannot wrap to a negative figure.
struct BulkInsertCounts {
    std::int64_t FilesFound = 0;
    std::int64_t BeforeCount = 0;
    std::int64_t AfterCount = 0;
};

struct BulkInsertResult {
    BulkInsertCounts counts;
    // Names of the entries left out because this run writes them itself.
    std::vector<std::string> skipped;
    RunOutcome outcome;  // message boxes to show, in order, once the run is over
};

inline constexpr const char* kBulkNothingFound =
    "No files found matching this search. Make sure your file extension and folder are correct.";

// The rows of a multi-line text box: its lines in order, an empty last line not counted.
std::vector<std::string> MemoRowList(std::string_view text);

// The first failed check's message, or nothing when the run may start.
std::optional<std::string> ValidateBulkInsert(const BulkInsertSettings& s);

// "*.*" for a blank extension, else "*." followed by the extension exactly as typed.
std::string BulkInsertMask(const std::string& extension);

// Copies one file to outPath with the data rows written around its key lines.
void BulkInsertOneFile(const std::string& inPath, const std::string& outPath, const std::string& key,
                       bool before, bool after, const std::vector<std::string>& dataRows,
                       BulkInsertCounts& counts);

// Checks the settings, then copies every entry of folder (ending with a separator) that matches
// mask to workFolder + "/new_" + name. The entries are listed before any copy is written.
// Throws FileError when a file cannot be read or written; the copies already written stay.
BulkInsertResult BulkInsertFolder(const std::string& folder, const std::string& mask,
                                  const std::string& workFolder, const BulkInsertSettings& s,
                                  Progress& progress);

std::string BulkInsertSummary(const std::string& workFolder, const BulkInsertCounts& c);

}  // namespace rs
