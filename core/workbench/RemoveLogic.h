#pragma once

// Remove or Delete dialog: delete a character range from every row, or drop every row
// whose key (the same range) is shared with another row.

#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rs {

inline constexpr const char* kMsgRemoveNeedsString =
    "You chose to delete existing characters when they equal a specific value. Enter some characters in the box above. Otherwise, uncheck the checkbox next to it.";
inline constexpr const char* kMsgRemovePositions =
    "Your first position entered is larger then the second position. Please change the byte positions you have chosen.";

struct RemoveSettings {
    std::int32_t first = 1;       // Spin1
    std::int32_t last = 1;        // Spin2
    bool onlyIfContains = false;  // Chkdelete
    std::string text;             // EdDelete
    bool entireRow = false;       // ChkEntireRow
    bool byKey = false;           // ChkDups
};

// The first validation message, or nothing when the run may start.
std::optional<std::string> ValidateRemove(const RemoveSettings& settings);

// Checks the settings, then runs the chosen mode over rows into resultsFile. Throws FileError.
RunOutcome RunRemove(const RowList& rows, const RemoveSettings& settings, const std::string& resultsFile,
                     Progress& progress, RunCounters& counters);

// One flag a row: set when the by-key mode removes it, that is when the row has at least
// `last` characters and its characters first..last equal those of another such row.
// Rows are counted in 32 bits (fewer than 2^32).
std::vector<char> RowsWithSharedKeys(const RowList& rows, std::int32_t first, std::int32_t last);

}  // namespace rs
