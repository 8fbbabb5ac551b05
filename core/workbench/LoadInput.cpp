#include "core/workbench/LoadInput.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/TextFile.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_reduce.h>

#include <climits>

namespace rs {

namespace {

std::int32_t ClampToInt32(std::int64_t v) { return v > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(v); }

// Counters of one load, or of a stretch of its rows; row numbers count from the first row of
// the file.
struct Counters {
    std::int64_t rows = 0;
    std::int64_t total = 0;
    std::int64_t blank = 0;
    std::int64_t longestLength = 0;
    std::int64_t longestRow = 0;
    std::int64_t shortestLength = 0;
    std::int64_t shortestRow = 0;

    void copyTo(LoadResult& r, const RowList& list) const {
        r.rowCount = rows;
        r.totalChars = total;
        r.blankRows = blank;
        r.nonBlankRows = rows - blank;
        r.longestLength = longestLength;
        r.longestRow = longestRow;
        r.shortestLength = shortestLength;
        r.shortestRow = shortestRow;
        if (longestRow > 0) r.longestText.assign(list[static_cast<std::size_t>(longestRow - 1)]);
    }
};

// The counters of the rows [b, e); kept in locals so the loop does not write through memory.
Counters CountRows(const RowList& list, std::size_t b, std::size_t e) {
    Counters k;
    for (std::size_t i = b; i < e; ++i) {
        std::string_view line = list[i];
        std::int64_t len = chars::Length(line);
        k.total += len;
        // A row whose first byte is printable cannot trim to nothing.
        if (line.empty() || (static_cast<unsigned char>(line[0]) <= 32 && chars::IsBlank(line))) ++k.blank;
        const auto number = static_cast<std::int64_t>(i + 1);
        // Strict tests: of rows of equal length the earliest stays.
        if (k.rows == 0 || len > k.longestLength) {
            k.longestLength = len;
            k.longestRow = number;
        }
        if (k.rows == 0 || len < k.shortestLength) {
            k.shortestLength = len;
            k.shortestRow = number;
        }
        ++k.rows;
    }
    return k;
}

// The counters of two stretches of rows, the second following the first.
Counters Join(const Counters& a, const Counters& b) {
    if (a.rows == 0) return b;
    if (b.rows == 0) return a;
    Counters r = a;
    r.rows += b.rows;
    r.total += b.total;
    r.blank += b.blank;
    if (b.longestLength > a.longestLength) {
        r.longestLength = b.longestLength;
        r.longestRow = b.longestRow;
    }
    if (b.shortestLength < a.shortestLength) {
        r.shortestLength = b.shortestLength;
        r.shortestRow = b.shortestRow;
    }
    return r;
}

}  // namespace

std::string LinesReadText(std::int64_t rows) {
    return " Lines Read: " + std::to_string(rows) + "  Continuing to read ....";
}

std::string StatusText(std::int64_t rowCount) {
    return "Total lines: " + std::to_string(rowCount) + "   Next, double-click an option below.";
}

std::vector<std::string> StatisticsLines(const LoadResult& r) {
    auto n = [](std::int64_t v) { return std::to_string(v); };
    return {
        "----------------",
        "File Statistics:",
        "----------------",
        "Total number of lines in file: " + n(r.rowCount) + " total lines (row count)",
        "Total bytes in entire file   : " + n(r.totalChars) + " total bytes (byte count)",
        "Total blank lines found      : " + n(r.blankRows) + " blank lines",
        "Total \"non\" blank lines found: " + n(r.nonBlankRows) + " non blank lines",
        "Longest data line in file    : " + n(r.longestLength) + " bytes",
        "Longest data line is row     : #" + n(r.longestRow),
        "Shortest data line in file   : " + n(r.shortestLength) + " bytes",
        "Shortest data line is row    : #" + n(r.shortestRow),
    };
}

void LoadInputFile(const std::string& path, RowList& rows, Progress& progress, RunCounters& counters,
                   LoadResult& result, Digester* read) {
    result = LoadResult{};
    counters.InputLineCount = 0;

    Counters c;
    bool started = false;
    // Counts the rows split so far, side by side; the progress text follows every 20000th row.
    auto countNewRows = [&](bool report) {
        // Fewer rows than were counted: the file shrank and is being read again from the start,
        // and only the counts of the pass whose rows are kept may stand.
        if (rows.size() < static_cast<std::size_t>(c.rows)) c = Counters{};
        const std::size_t from = static_cast<std::size_t>(c.rows);
        const std::size_t to = rows.size();
        if (to == from) return;
        c = Join(c, tbb::parallel_reduce(
                        tbb::blocked_range<std::size_t>(from, to, 4096), Counters{},
                        [&](const tbb::blocked_range<std::size_t>& r, Counters k) {
                            return Join(k, CountRows(rows, r.begin(), r.end()));
                        },
                        Join));
        if (!report) return;
        for (std::int64_t k = (static_cast<std::int64_t>(from) / kLoadReportEvery + 1) * kLoadReportEvery;
             k <= c.rows; k += kLoadReportEvery)
            progress.update(LinesReadText(k));
    };
    try {
        rows.loadFile(
            path,
            [&] {
                if (!started) {
                    // The file is open: show the window before the first row.
                    started = true;
                    progress.start(kTextLoading);
                }
                countNewRows(true);
            },
            read);
    } catch (...) {
        // The rows read before a failed read stay, and so do their counts.
        countNewRows(false);
        c.copyTo(result, rows);
        counters.InputLineCount = ClampToInt32(c.rows);
        throw;
    }
    progress.end();

    c.copyTo(result, rows);
    counters.InputLineCount = ClampToInt32(c.rows);
    result.statistics = StatisticsLines(result);
    result.statusText = StatusText(result.rowCount);
    result.complete = true;
}

LoadResult LoadInputFile(const std::string& path, RowList& rows, Progress& progress, RunCounters& counters) {
    LoadResult r;
    LoadInputFile(path, rows, progress, counters, r);
    return r;
}

void WriteStatisticsReport(const std::vector<std::string>& statistics, const std::string& resultsFile,
                           const std::string& inputFile) {
    RefuseOverwrite(resultsFile, {inputFile});
    TextWriter out(resultsFile);
    for (const std::string& line : statistics) out.writeLine(line);
    out.close();
}

bool WritePastedText(const std::string& path, std::string_view memoText, ContentDigest* saved) {
    if (memoText.empty()) return false;
    TextWriter out(path);
    Digester written;
    std::size_t start = 0;
    while (start < memoText.size()) {
        std::size_t lf = memoText.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? memoText.size() : lf;
        std::size_t next = lf == std::string_view::npos ? memoText.size() : lf + 1;
        if (lf != std::string_view::npos && end > start && memoText[end - 1] == '\r') --end;
        out.writeLine(memoText.substr(start, end - start));
        written.add(memoText.substr(start, end - start));
        written.add("\r\n");
        start = next;
    }
    out.close();
    if (saved) *saved = written.digest();
    return true;
}

bool IsPastedText(const std::string& input, const std::optional<PastedText>& pasted) {
    return pasted && input == pasted->path;
}

void RefuseReplacedPaste(const std::string& input, const std::optional<PastedText>& pasted,
                         const ContentDigest& read) {
    // What was read, not when the file was written: a window may save the same length twice in
    // one tick of a coarse clock, and inode numbers are not stable on every file system.
    if (IsPastedText(input, pasted) && read != pasted->saved) throw RunRefused(kPasteReplacedText);
}

PasteCheck::PasteCheck(const std::string& input, const std::optional<PastedText>& pasted) {
    if (!IsPastedText(input, pasted)) return;
    pasted_ = pasted;
    read_.emplace();
}

void PasteCheck::refuseReplaced() const {
    if (read_) RefuseReplacedPaste(pasted_->path, pasted_, read_->digest());
}

}  // namespace rs
