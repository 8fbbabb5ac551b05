#pragma once

// The merge of two files on key positions: the lines whose key occurs in both files
// (MATCH) or in one file only (MISMATCH), taken from File 1, File 2 or both, in key order.

#include "core/compare/CompareLogic.h"
#include "core/platform/RowList.h"
#include "core/platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rs {

class PartText;

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
    "You chose \"merge\", but you did not select 2 files. Use the buttons at the top to select your 2 files to merge into 1.";
inline constexpr const char* kMsgMergeFile1Range =
    "You chose \"merge\", and the starting position selected for File 1 is larger then the ending position.  Please correct your starting and ending positions.";
inline constexpr const char* kMsgMergeFile2Range =
    "You chose \"merge\", and the starting position selected for File 2 is larger then the ending position.  Please correct your starting and ending positions.";
inline constexpr const char* kMsgMergeLengths =
    "You chose \"merge\", but the starting and ending positions for File 1 and File 2 are not the same length. Obviously everything will mismatch if these lengths are not the same. Make sure you use the same length by adjusting your start and end positions.";

// The first failing check's message, or nothing when the settings are usable.
std::optional<std::string> ValidateMerge(const MergeSettings& settings);

// The keyed rows of one file: its non-blank lines, each with its key, sorted by key and then
// by line (byte order), so rows with equal keys lie next to each other. A line that ends
// before the end position has a shorter key (the characters it has from the start position
// on), which equals only the same short key of the other file; a line that ends before the
// start position has no key and matches nothing. Lines are always written whole.
class KeyedRows {
public:
    KeyedRows() = default;
    KeyedRows(const RowList& lines, std::int32_t start, std::int32_t keyLength);

    std::size_t size() const { return rows_.size(); }
    std::string_view line(std::size_t k) const;
    std::string_view key(std::size_t k) const { return keyOf(line(k)); }
    bool keyless(std::size_t k) const { return (rows_[k].prefix & 0xFF) == 0; }
    // Byte order of the key of row k and that of row j of other.
    int compareKeys(std::size_t k, const KeyedRows& other, std::size_t j) const;

private:
    // 16 bytes a row: the key's first 7 bytes (big-endian, zero-padded) and its length capped
    // at 8, which order most pairs of keys without reading the rows, and where the line lies.
    struct Row {
        std::uint64_t prefix;
        std::uint64_t place;  // offset in the row buffer << 24 | length, kLongLine when longer
    };
    static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << 24) - 1;
    std::string_view keyOf(std::string_view line) const;
    bool less(const Row& a, const Row& b) const;
    std::string_view lineOf(const Row& r) const;

    const char* base_ = nullptr;
    std::int32_t start_ = 1;
    std::int32_t keyLength_ = 0;
    std::vector<Row> rows_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> longLines_;  // offset, length
};

// The working data of one merge run, shared by the walk and the group step.
struct MergeState {
    const KeyedRows& ListMerge1;
    const KeyedRows& ListMerge2;
    std::size_t MergeIndex1 = 0;
    std::size_t MergeIndex2 = 0;
    std::int32_t MergeKeyLength = 0;
    PartText* MergeOutFile = nullptr;  // text of the report, lines ended by CR LF
};

// Moves the cursor of File 1 ("FILE1") or File 2 (any other text) past the rest of the
// group of `key`, from the row the walk has just handled, writing their lines when asked.
void MergeAdvanceGroup(MergeState& state, std::string_view file, std::string_view key, bool write);

// Writes the merge report of the loaded lines of both files to resultsFile.
// Throws FileError when the report cannot be written.
RunOutcome MergeLoadedFiles(const MergeSettings& settings, const RowList& lines1, const RowList& lines2,
                            const std::string& resultsFile);

}  // namespace rs
