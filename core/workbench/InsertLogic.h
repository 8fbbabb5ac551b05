#pragma once

// Insert dialog: a text after a character position, a prefix and a suffix on every row.

#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <string>

namespace rs {

struct InsertSettings {
    std::string text;           // EdString
    std::int32_t position = 0;  // SpinPosition: characters that stay before the text
    std::string begin;          // EdBeg
    std::string end;            // EdEnd
};

// Writes one output row per input row to resultsFile. Throws FileError.
RunOutcome RunInsert(const RowList& rows, const InsertSettings& settings, const std::string& resultsFile,
                     Progress& progress, RunCounters& counters);

}  // namespace rs
