#pragma once

// The row-by-row operations run straight from the main window's operation list.

#include "core/platform/RowList.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// Streams inputFileName to resultsFile row by row in one of the modes "TRIM", "LTRIM", "RTRIM",
// "UPPER", "LOWER", "COUNT", "REMOVE-BLANK", "TALLY", "WORDCOUNT", "SUM". "TALLY" counts
// searchText, which it upper-cases in place once it meets a non-empty row. Numbers of "SUM"
// are read and its totals written with decimalSeparator. Sets counters.RowCounter and
// ProgressPercent; the percentage divisor is counters.InputLineCount. Throws FileError, and
// OverwriteRefused when the results file is the input (as every run that writes a file does).
// An input that is the pasted text is refused (RunRefused) when what the run read of it is not
// the text saved, before the results file is touched.
RunOutcome RunLineOperation(std::string_view mode, const std::string& inputFileName, std::string& searchText,
                            const std::string& resultsFile, Progress& progress, RunCounters& counters,
                            char decimalSeparator = '.',
                            const std::optional<PastedText>& pasted = std::nullopt);

// Deletes every occurrence of searchText from every row (searching again after each deletion)
// and writes every row. Throws FileError; refuses replaced pasted text as RunLineOperation does.
RunOutcome RemoveTextEverywhere(const std::string& inputFileName, const std::string& searchText,
                                const std::string& resultsFile, Progress& progress, RunCounters& counters,
                                const std::optional<PastedText>& pasted = std::nullopt);

// Writes the rows that do not contain searchText and reports how many were left out. No
// progress window. Throws FileError.
RunOutcome RemoveLinesContaining(const RowList& rows, const std::string& searchText,
                                 const std::string& resultsFile);

// Deletes the first occurrence of a text, then searches the shortened row again from its start,
// until none is left — in linear time, however the deletions nest.
class OccurrenceEraser {
public:
    explicit OccurrenceEraser(std::string_view text);
    // Works in place on the first n bytes of row (which may grow past n); returns the number
    // of deletions, and n becomes the new length.
    std::int64_t erase(std::string& row, std::size_t& n);

private:
    std::string text_;
    std::vector<std::uint32_t> border_;  // longest proper border of each prefix of text_
    std::vector<std::uint32_t> state_;   // match state after each kept byte
    std::vector<std::uint16_t> next_;    // state transitions by byte, for texts of up to 256 bytes
};

}  // namespace rs
