#pragma once

// Loading the current input: its rows for the position finder, the row count that divides
// every percentage, the statistics block and the status line; and the pasted-text file.

#include "core/platform/Digest.h"
#include "core/platform/RowList.h"
#include "core/workbench/Progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// The progress text shown after every kLoadReportEvery-th row.
inline constexpr std::int64_t kLoadReportEvery = 20000;
std::string LinesReadText(std::int64_t rows);

struct LoadResult {
    std::int64_t rowCount = 0;
    std::int64_t totalChars = 0;  // characters of every row, line ends not counted
    std::int64_t blankRows = 0;
    std::int64_t nonBlankRows = 0;
    std::int64_t longestLength = 0;
    std::int64_t longestRow = 0;  // 1-based; the first of equal rows; 0 when there are none
    std::int64_t shortestLength = 0;
    std::int64_t shortestRow = 0;
    std::string longestText;              // the first longest row
    std::vector<std::string> statistics;  // the 11 statistics lines; empty unless the load finished
    std::string statusText;               // "Total lines: N   Next, ..."; empty unless the load finished
    bool complete = false;
};

// Reads the file into rows (cleared first) and works out the counts and texts of result
// (reset first). Sets counters.InputLineCount. Progress: start once the file is open, a row count every
// 20000 rows, end after the file is closed. read, when given, takes the bytes read (see
// RowList::loadFile). Throws FileError; a failure while reading leaves the rows read so far in
// rows, in result's counts and in counters.InputLineCount, and the progress window up.
void LoadInputFile(const std::string& path, RowList& rows, Progress& progress, RunCounters& counters,
                   LoadResult& result, Digester* read = nullptr);
LoadResult LoadInputFile(const std::string& path, RowList& rows, Progress& progress, RunCounters& counters);

// The 11 statistics lines and the status line for the counts of a load.
std::vector<std::string> StatisticsLines(const LoadResult& r);
std::string StatusText(std::int64_t rowCount);

// Writes the statistics lines to the results file, each followed by CR LF. The report stands for
// inputFile, which it refuses to overwrite (OverwriteRefused). Throws FileError.
void WriteStatisticsReport(const std::vector<std::string>& statistics, const std::string& resultsFile,
                           const std::string& inputFile);

// Writes the rows of a memo's text to path, each followed by CR LF, and returns true; returns
// false and writes nothing when the memo has no rows. A memo's rows are its lines (broken at
// LF or CR LF); the empty line after a final line break, or the whole of an empty text, is
// not a row. saved, when given, receives the digest of the bytes written. Throws FileError.
bool WritePastedText(const std::string& path, std::string_view memoText, ContentDigest* saved = nullptr);

// The pasted-text file as one window saved it. Every window of the program saves its text to
// the same file, so whatever reads this window's text from it checks the bytes it read itself:
// a save of another window can land between any check and a second read.
struct PastedText {
    std::string path;
    ContentDigest saved;
};
inline constexpr const char* kPasteReplacedText =
    "The text you pasted has been replaced since, perhaps by another Rowsmith window that shares the same work folder. Please paste your text again.";
// True when input is the pasted-text file, whose reads must be checked.
bool IsPastedText(const std::string& input, const std::optional<PastedText>& pasted);
// Throws RunRefused when input is the pasted-text file and read, the digest of the bytes read
// from it, is not what was saved (another window saved its own text since); any other input
// passes.
void RefuseReplacedPaste(const std::string& input, const std::optional<PastedText>& pasted,
                         const ContentDigest& read);

// The check of one read of input: where input is the pasted text, the reader adds the bytes it
// reads to digester(), and refuseReplaced() refuses them (RunRefused) when they are not the text
// saved. Anything else passes.
class PasteCheck {
public:
    PasteCheck(const std::string& input, const std::optional<PastedText>& pasted);
    // nullptr when nothing is to be checked.
    Digester* digester() { return read_ ? &*read_ : nullptr; }
    void refuseReplaced() const;

private:
    std::optional<PastedText> pasted_;
    std::optional<Digester> read_;
};

}  // namespace rs
