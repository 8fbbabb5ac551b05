#pragma once

// Finding rows that share a key: the characters between two positions.

#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rs {

enum class DupsChoice {
    OnlyDups,  // every row of every set of duplicates
    NoDups,    // the rows without a duplicate (short rows included)
    All1Dups,  // every row, but only the last of each set of duplicates
};

struct DupsSettings {
    std::int32_t spin1 = 1;  // first key position, 1-based characters
    std::int32_t spin2 = 1;  // last key position
    DupsChoice choice = DupsChoice::All1Dups;
};

inline constexpr const char* kDupsPositionsReversed =
    "Your first position entered is larger then the second position. Please change the byte positions you have chosen.";

// The first message that stops a run, or nothing when the settings can be run.
std::optional<std::string> ValidateDups(const DupsSettings& s);

// Writes the chosen rows to resultsFile in sorted order (ordinal bytes of key followed by row;
// rows shorter than spin2 characters sort bare and have no key), with progress over both
// passes divided by counters.InputLineCount. Checks the settings first. Throws FileError.
RunOutcome RunDups(const RowList& rows, const DupsSettings& s, const std::string& resultsFile,
                   Progress& progress, RunCounters& counters);

}  // namespace rs
