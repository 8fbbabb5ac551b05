#pragma once

// The two-file compare: the non-blank lines that one file has and the other lacks,
// wherever they stand.

#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rs {

// One chosen file as it was read when it was chosen.
struct LoadedFile {
    RowList ListHidden;  // every line in file order, blank lines included
    std::int32_t BlankLines = 0;
};

// The non-blank lines of a file in collation order, duplicates kept.
class SortedLines {
public:
    explicit SortedLines(const RowList& lines);

    std::size_t size() const { return entries_.size(); }
    std::string_view line(std::size_t k) const { return (*lines_)[entries_[k].lo & kIndexMask]; }
    // Byte order of line k and line j of other.
    int compare(std::size_t k, const SortedLines& other, std::size_t j) const;

private:
    // 16 bytes a line: its first 11 bytes (big-endian, zero-padded), which order most pairs
    // without reading the lines, and its index in the file.
    struct Entry {
        std::uint64_t hi;  // bytes 0 to 7
        std::uint64_t lo;  // bytes 8 to 10 << 40 | index
    };
    static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << 40) - 1;
    int compareEntries(const Entry& a, const SortedLines& other, const Entry& b) const;

    const RowList* lines_;
    std::vector<Entry> entries_;
};

// Reads the file and counts its blank lines. Throws FileError; `into` changes only when the
// whole file was read, so a failed read never leaves a mix of two files behind.
void LoadFileIntoList(const std::string& path, LoadedFile& into);

// The paths the two labels show; empty when no file was chosen.
struct CompareSettings {
    std::string file1;
    std::string file2;
};

inline constexpr const char* kMsgCompareNoFiles =
    "You chose \"compare\", but you did not select 2 files. Use the buttons at the top to select your 2 files to compare.";

// The message when a file is missing, or nothing when the compare may run.
std::optional<std::string> ValidateCompare(const CompareSettings& settings);

// Writes the compare report of `before` (File 1) against `after` (File 2) to resultsFile,
// their non-blank lines sorted for the run. Lets pending events run through progress.pump()
// now and then; shows no window.
// Throws FileError when the report cannot be written.
RunOutcome CompareLoadedFiles(const CompareSettings& settings, const LoadedFile& before,
                              const LoadedFile& after, const std::string& resultsFile, Progress& progress);

}  // namespace rs
