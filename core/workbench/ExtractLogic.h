#pragma once

// Extract or Remove dialog: parts of rows, whole rows by a test (or the rows it rejects),
// or every word on a line of its own.

#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rs {

inline constexpr const char* kMsgExtractPositions =
    "Your first position entered is larger then the second position. Please correct your entry.";
inline constexpr const char* kMsgExtractString =
    "You must enter BOTH a string value and a number of total bytes to extract with this option.";
inline constexpr const char* kMsgExtractExists =
    "You must enter a string to search for when using this option. Please correct your entry.";
inline constexpr const char* kMsgExtractStringByte =
    "You must enter a string. This will extract all lines that have the string you enter in the byte position you enter.";
inline constexpr const char* kMsgWordsExtracted = "The total words extracted is: ";

enum class ExtractChoice { None, Positions, String, StringBetween, StrExists, ExtractWords, StringByte };

struct ExtractSettings {
    ExtractChoice choice = ExtractChoice::None;
    std::int32_t first = 1;         // Spin1
    std::int32_t last = 1;          // Spin2
    std::string startText;          // EdStringIn
    std::int32_t count = 0;         // Spin3: characters taken from the start text on
    std::string betweenStart;       // EdString1
    std::string betweenEnd;         // EdString2
    std::string existsText;         // EdStrExists
    std::string byteText;           // EdStringByte
    std::int32_t bytePosition = 1;  // SpinStringByte
    bool opposite = false;          // ChkOpp
};

// The message of the selected choice's check, or nothing when the run may start.
std::optional<std::string> ValidateExtract(const ExtractSettings& settings);

// Checks the settings, then runs the row pass or the words pass into resultsFile; the words
// pass shows its count before the file is published. Throws FileError.
RunOutcome RunExtract(const RowList& rows, const ExtractSettings& settings, const std::string& resultsFile,
                      Progress& progress, RunCounters& counters);

}  // namespace rs
