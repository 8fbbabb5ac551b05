#pragma once

// The merge of two files on key positions: the lines whose key occurs in both files
// (MATCH) or in one file only (MISMATCH), taken from File 1, File 2 or both, in key order.

#include "compare/CompareLogic.h"
#include "platform/RowList.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

enum class MergeMode { Match, Mismatch };
enum class MergeOutput { Both, File1Only, File2Only };

struct MergeSettings {
    std::string file1;  // the paths the labels show; empty when no file was chosen
    std::string file2;
    std::int32_t start1 = 1;  // File 1 key: characters start1..end1, 1-based
    std::int32_t end1 = 1;
    std::int32_t start2 = 1;  // File 2 key
    std::int32_t end2 = 1;
    MergeMode mode = MergeMode::Match;
    MergeOutput output = MergeOutput::File1Only;
};

inline constexpr const char* kMsgMergeNoFiles =
    "You chose \"merge\", but you did not select 2 files. Use the buttons at the top to select your 2 files "
    "to "
    "merge into 1.";
inline constexpr const char* kMsgMergeFile1Range =
    "You chose \"merge\", and the starting position selected for File 1 is larger then the ending position.  "
    "Please correct your starting and ending positions.";
inline constexpr const char* kMsgMergeFile2Range =
    "You chose \"merge\", and the starting position selected for File 2 is larger then the ending position.  "
    "Please correct your starting and ending positions.";
inline constexpr const char* kMsgMergeLengths =
    "You chose \"merge\", but the starting and ending positions for File 1 and File 2 are not the same "
    "length. "
    "Obviously everything will mismatch if these lengths are not the same. Make sure you use the same length "
    "by adjusting your start and end positions.";

// The first failing check's message, or nullptr when the settings are usable.
const char* ValidateMerge(const MergeSettings& settings);

// A non-blank line with its key. A line that ends before the end position has a shorter
// key (the characters it has from the start position on), which equals only the same short
// key of the other file; a line that ends before the start position has no key and matches
// nothing. Lines are always written whole.
struct KeyedRow {
    std::string_view key;
    std::string_view line;
    std::uint64_t keyHi;  // the key's first 16 bytes, big-endian and zero-padded, which order
    std::uint64_t keyLo;  // most pairs of keys without reading the rows
};

// Byte order of two keys.
int CompareKeys(const KeyedRow& a, const KeyedRow& b);

// The keyed rows of the non-blank lines, sorted by key and then by line (byte order), so
// rows with equal keys lie next to each other.
std::vector<KeyedRow> BuildKeyedRows(const RowList& lines, std::int32_t start, std::int32_t keyLength);

// The working data of one merge run, shared by the walk and the group step.
struct MergeState {
    std::vector<KeyedRow> ListMerge1;
    std::vector<KeyedRow> ListMerge2;
    std::size_t MergeIndex1 = 0;
    std::size_t MergeIndex2 = 0;
    std::int32_t MergeKeyLength = 0;
    TextWriter* MergeOutFile = nullptr;
};

// Moves the cursor of File 1 ("FILE1") or File 2 (any other text) past the rest of the
// group of `key`, from the row the walk has just handled, writing their lines when asked.
void MergeAdvanceGroup(MergeState& state, std::string_view file, std::string_view key, bool write);

// Writes the merge report of the loaded lines of both files to resultsFile.
// Throws FileError when the report cannot be written.
RunOutcome MergeLoadedFiles(const MergeSettings& settings, const RowList& lines1, const RowList& lines2,
                            const std::string& resultsFile);

}  // namespace rs
