#pragma once

// The two-file compare: the non-blank lines that one file has and the other lacks,
// wherever they stand.

#include "platform/RowList.h"
#include "workbench/Progress.h"
#include "workbench/Publish.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rs {

// A non-blank line in the sorted list: its index in the file and its first 16 bytes as
// two big-endian numbers (zero-padded), which order most pairs without reading the line.
struct SortedLine {
    std::uint64_t hi;
    std::uint64_t lo;
    std::size_t index;
};

// One chosen file as it was read when it was chosen.
struct LoadedFile {
    RowList ListHidden;                  // every line in file order, blank lines included
    std::vector<SortedLine> ListSorted;  // the non-blank lines in collation order, duplicates kept
    std::int32_t BlankLines = 0;

    std::string_view sortedLine(std::size_t k) const { return ListHidden[ListSorted[k].index]; }
};

// Reads the file and sorts its non-blank lines. Throws FileError; `into` changes only when
// the whole file was read, so a failed read never leaves a mix of two files behind.
void LoadFileIntoList(const std::string& path, LoadedFile& into);

// What a run asks of its window once it is over: message boxes, in order, then maybe a
// shell open of the results file.
struct RunOutcome {
    std::vector<std::string> messages;
    bool publish = false;
    const char* publishPrefix = kPublishChanges;
};

// Shows the outcome's messages and publishes the results file when asked.
void FinishRun(const RunOutcome& outcome);

// The paths the two labels show; empty when no file was chosen.
struct CompareSettings {
    std::string file1;
    std::string file2;
};

inline constexpr const char* kMsgCompareNoFiles =
    "You chose \"compare\", but you did not select 2 files. Use the buttons at the top to select your 2 "
    "files to compare.";

// Writes the compare report of `before` (File 1) against `after` (File 2) to resultsFile.
// Lets pending events run through progress.pump() now and then; shows no window.
// Throws FileError when the report cannot be written.
RunOutcome CompareLoadedFiles(const CompareSettings& settings, const LoadedFile& before,
                              const LoadedFile& after, const std::string& resultsFile, Progress& progress);

}  // namespace rs
