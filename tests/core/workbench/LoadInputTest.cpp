#include "core/workbench/LoadInput.h"

#include "core/platform/Chars.h"
#include "core/platform/FileError.h"
#include "core/platform/Overwrite.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <random>

using namespace rs;
using rs::test::ReadBytes;
using rs::test::ReadCrlfLines;
using rs::test::RecordingProgress;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

struct Expected {
    std::int64_t rows, total, blank, nonBlank, longestLen, longestRow, shortestLen, shortestRow;
    std::string longestText;
};

}  // namespace

TEST(LoadInputFile, CountsRowsCharactersBlanksAndExtremes) {
    struct Case {
        const char* name;
        std::string bytes;
        Expected e;
    };
    const std::string e_acute = "\xC3\xA9";       // one character, two bytes
    const std::string clef = "\xF0\x9D\x84\x9E";  // one character, four bytes
    const std::vector<Case> cases = {
        {"empty file", "", {0, 0, 0, 0, 0, 0, 0, 0, ""}},
        {"one line end only", "\r\n", {1, 0, 1, 0, 0, 1, 0, 1, ""}},
        {"one LF only", "\n", {1, 0, 1, 0, 0, 1, 0, 1, ""}},
        {"last row without line end", "ab\ncde", {2, 5, 0, 2, 3, 2, 2, 1, "cde"}},
        {"equal longest and shortest keep the first",
         "xx\nabcd\nyy\nwxyz\n",
         {4, 12, 0, 4, 4, 2, 2, 1, "abcd"}},
        {"spaces and tabs make a blank row that still counts",
         "abc\n \t \nabcdef\n",
         {3, 12, 1, 2, 6, 3, 3, 1, "abcdef"}},
        {"shortest later than the first row", "abc\n\nabcd\n", {3, 7, 1, 2, 4, 3, 0, 2, "abcd"}},
        {"multi-byte characters count once",
         "caf" + e_acute + "\n" + clef + clef + "\nabcd\n",
         {3, 10, 0, 3, 4, 1, 2, 2, "caf" + e_acute}},
        {"an invalid byte counts as one character",
         "a\xFF\xFE"
         "b\nabc\n",
         {2, 7, 0, 2, 4, 1, 3, 2,
          "a\xFF\xFE"
          "b"}},
        {"NUL bytes are characters",
         std::string("a\0b\n", 4),
         {1, 3, 0, 1, 3, 1, 3, 1, std::string("a\0b", 3)}},
        {"0x1A ends the input", "one\ntwo\x1Athree\nfour\n", {2, 6, 0, 2, 3, 1, 3, 1, "one"}},
        {"lone CR is dropped", "a\rb\r\nc\n", {2, 3, 0, 2, 2, 1, 1, 2, "ab"}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file("in.txt");
        WriteBytes(path, c.bytes);
        RowList rows;
        rows.append("stale");
        RunCounters counters;
        counters.InputLineCount = 99;
        RecordingProgress progress;
        LoadResult r = LoadInputFile(path, rows, progress, counters);
        const Expected& e = c.e;
        EXPECT_EQ(r.rowCount, e.rows);
        EXPECT_EQ(r.totalChars, e.total);
        EXPECT_EQ(r.blankRows, e.blank);
        EXPECT_EQ(r.nonBlankRows, e.nonBlank);
        EXPECT_EQ(r.longestLength, e.longestLen);
        EXPECT_EQ(r.longestRow, e.longestRow);
        EXPECT_EQ(r.shortestLength, e.shortestLen);
        EXPECT_EQ(r.shortestRow, e.shortestRow);
        EXPECT_EQ(r.longestText, e.longestText);
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(e.rows));
        EXPECT_EQ(counters.InputLineCount, e.rows);
        EXPECT_TRUE(r.complete);
        EXPECT_EQ(r.statusText,
                  "Total lines: " + std::to_string(e.rows) + "   Next, double-click an option below.");
        ASSERT_EQ(r.statistics.size(), 11u);
    }
}

// Rows counted in stretches side by side must give what one pass from the first row gives:
// of many rows of the greatest and the least length, the first one wins.
TEST(LoadInputFile, ManyTiedRowsKeepTheFirstLongestAndShortest) {
    std::mt19937 rng(11);
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; i < 300000; ++i) {
        std::string row(5 + rng() % 20, 'a');
        if (rng() % 7 == 0) row = std::string(3 + rng() % 3, ' ');
        if (rng() % 11 == 0) row.replace(0, 2, "\xC3\xA9");
        lines.push_back(row);
        text += row + "\r\n";
    }
    Expected e{0, 0, 0, 0, -1, 0, INT64_MAX, 0, ""};
    for (const std::string& row : lines) {
        const std::int64_t len = chars::Length(row);
        ++e.rows;
        e.total += len;
        chars::IsBlank(row) ? ++e.blank : ++e.nonBlank;
        if (len > e.longestLen) {
            e.longestLen = len;
            e.longestRow = e.rows;
            e.longestText = row;
        }
        if (len < e.shortestLen) {
            e.shortestLen = len;
            e.shortestRow = e.rows;
        }
    }
    TempDir dir;
    WriteBytes(dir.file("in.txt"), text);
    RowList rows;
    RecordingProgress progress;
    RunCounters counters;
    LoadResult r = LoadInputFile(dir.file("in.txt"), rows, progress, counters);
    EXPECT_EQ(r.rowCount, e.rows);
    EXPECT_EQ(r.totalChars, e.total);
    EXPECT_EQ(r.blankRows, e.blank);
    EXPECT_EQ(r.longestRow, e.longestRow);
    EXPECT_EQ(r.longestText, e.longestText);
    EXPECT_EQ(r.shortestLength, e.shortestLen);
    EXPECT_EQ(r.shortestRow, e.shortestRow);
    std::vector<std::string> texts;
    for (int k = 20000; k <= 300000; k += 20000) texts.push_back("update:" + LinesReadText(k));
    const std::vector<std::string> shown = progress.shown();
    EXPECT_EQ(std::vector<std::string>(shown.begin() + 1, shown.end() - 1), texts);
}

TEST(LoadInputFile, StatisticsLinesOfAnEmptyFileAreAllZero) {
    TempDir dir;
    std::string path = dir.file("empty.txt");
    WriteBytes(path, "");
    RowList rows;
    NullProgress progress;
    RunCounters counters;
    LoadResult r = LoadInputFile(path, rows, progress, counters);
    EXPECT_EQ(r.statistics, (std::vector<std::string>{
                                "----------------",
                                "File Statistics:",
                                "----------------",
                                "Total number of lines in file: 0 total lines (row count)",
                                "Total bytes in entire file   : 0 total bytes (byte count)",
                                "Total blank lines found      : 0 blank lines",
                                "Total \"non\" blank lines found: 0 non blank lines",
                                "Longest data line in file    : 0 bytes",
                                "Longest data line is row     : #0",
                                "Shortest data line in file   : 0 bytes",
                                "Shortest data line is row    : #0",
                            }));
    EXPECT_EQ(r.statusText, "Total lines: 0   Next, double-click an option below.");
}

TEST(StatisticsLines, ColonsLineUpAndLargeTotalsAreWrittenInFull) {
    LoadResult r;
    r.rowCount = 3;
    r.totalChars = 5000000000LL;
    r.blankRows = 1;
    r.nonBlankRows = 2;
    r.longestLength = 4000000000LL;
    r.longestRow = 2;
    r.shortestLength = 0;
    r.shortestRow = 3;
    std::vector<std::string> lines = StatisticsLines(r);
    ASSERT_EQ(lines.size(), 11u);
    for (std::size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find(':'), 29u) << lines[i];
        EXPECT_EQ(lines[i][30], ' ') << lines[i];
    }
    EXPECT_EQ(lines[4], "Total bytes in entire file   : 5000000000 total bytes (byte count)");
    EXPECT_EQ(lines[6], "Total \"non\" blank lines found: 2 non blank lines");
    EXPECT_EQ(lines[7], "Longest data line in file    : 4000000000 bytes");
    EXPECT_EQ(lines[8], "Longest data line is row     : #2");
    EXPECT_EQ(lines[10], "Shortest data line is row    : #3");
}

TEST(LoadInputFile, ReportsTheRowCountAfterEvery20000thRow) {
    const std::string start = "start:Loading your data into memory ... Please be patient";
    const std::string at20000 = "update: Lines Read: 20000  Continuing to read ....";
    const std::string at40000 = "update: Lines Read: 40000  Continuing to read ....";
    struct Case {
        int rows;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {0, {start, "end"}},
        {19999, {start, "end"}},
        {20000, {start, at20000, "end"}},
        {40000, {start, at20000, at40000, "end"}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        std::string text;
        for (int i = 0; i < c.rows; ++i) text += "r\n";
        std::string path = dir.file("rows.txt");
        WriteBytes(path, text);
        RowList rows;
        RecordingProgress progress;
        RunCounters counters;
        LoadInputFile(path, rows, progress, counters);
        EXPECT_EQ(progress.shown(), c.events) << c.rows << " rows";
    }
}

TEST(LoadInputFile, UnreadableFileFailsBeforeTheProgressWindowShows) {
    TempDir dir;
    RowList rows;
    rows.append("old");
    RunCounters counters;
    counters.InputLineCount = 5;
    RecordingProgress progress;
    LoadResult r;
    r.rowCount = 7;
    EXPECT_THROW(LoadInputFile(dir.file("missing.txt"), rows, progress, counters, r), FileError);
    EXPECT_THROW(LoadInputFile(dir.path(), rows, progress, counters, r), FileError);
    EXPECT_TRUE(progress.shown().empty());
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(counters.InputLineCount, 0);
    EXPECT_EQ(r.rowCount, 0);
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(r.statistics.empty());
}

TEST(LoadInputFile, AFileCutShortWhileItLoadsGivesTheCountsOfTheRowsKept) {
    // A log rotation as the first rows are reported: the file is cut short, read again, and the
    // counts are those of what it holds then. The longest row lies past the cut.
    class CuttingProgress : public RecordingProgress {
    public:
        CuttingProgress(std::string path, off_t size) : path_(std::move(path)), size_(size) {}
        void update(std::string_view text) override {
            if (events.size() == 1) {
                EXPECT_EQ(::truncate(path_.c_str(), size_), 0);
            }
            RecordingProgress::update(text);
        }

    private:
        std::string path_;
        off_t size_;
    };
    TempDir dir;
    const std::string path = dir.file("log.txt");
    std::string head;
    for (int i = 0; i < 10; ++i) head += "row" + std::to_string(i) + "\n";
    std::string tail;
    for (int i = 0; i < 30000; ++i) tail += "r\n";
    tail += std::string(50, 'L') + "\n";
    for (const off_t cut : {off_t{0}, static_cast<off_t>(head.size())}) {
        WriteBytes(path, head + tail);
        RowList rows;
        CuttingProgress progress(path, cut);
        RunCounters counters;
        const LoadResult r = LoadInputFile(path, rows, progress, counters);
        const std::int64_t kept = cut == 0 ? 0 : 10;
        EXPECT_EQ(static_cast<std::int64_t>(rows.size()), kept);
        EXPECT_EQ(r.rowCount, kept);
        EXPECT_EQ(counters.InputLineCount, kept);
        EXPECT_EQ(r.totalChars, cut == 0 ? 0 : 40);
        EXPECT_EQ(r.longestRow, cut == 0 ? 0 : 1);
        EXPECT_EQ(r.longestText, cut == 0 ? "" : "row0");
        EXPECT_EQ(r.statusText, StatusText(kept));
    }
}

TEST(LoadInputFile, LongSingleRowIsKeptWhole) {
    TempDir dir;
    std::string path = dir.file("long.txt");
    std::string row(3 << 20, 'x');
    row[12345] = '\xC3';
    row[12346] = '\xA9';
    WriteBytes(path, row);
    RowList rows;
    NullProgress progress;
    RunCounters counters;
    LoadResult r = LoadInputFile(path, rows, progress, counters);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], row);
    EXPECT_EQ(r.longestText, row);
    EXPECT_EQ(r.totalChars, static_cast<std::int64_t>(row.size()) - 1);
}

TEST(WriteStatisticsReport, ReplacesTheResultsFileWithTheLines) {
    TempDir dir;
    std::string results = dir.file("Results.txt");
    WriteBytes(results, "an older and much longer report\r\nsecond line\r\n");
    std::vector<std::string> lines = {"----------------", "File Statistics:", "x : #1"};
    WriteStatisticsReport(lines, results, "");
    EXPECT_EQ(ReadBytes(results), "----------------\r\nFile Statistics:\r\nx : #1\r\n");
    EXPECT_THROW(WriteStatisticsReport(lines, dir.file("no/such/folder.txt"), ""), FileError);
    // A report that stands for the results file itself is refused and leaves it whole.
    EXPECT_THROW(WriteStatisticsReport({"x"}, results, results), OverwriteRefused);
    EXPECT_EQ(ReadBytes(results), "----------------\r\nFile Statistics:\r\nx : #1\r\n");
}

TEST(WritePastedText, FinalLineBreakMakesNoExtraRow) {
    struct Case {
        std::string text;
        std::string written;  // empty: nothing written
    };
    const std::vector<Case> cases = {
        {"\n", "\r\n"},
        {"a", "a\r\n"},
        {"a\n", "a\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\n\n", "a\r\n\r\n"},
        {"\n\nb", "\r\n\r\nb\r\n"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        std::string path = dir.file("Temp_paste.txt");
        EXPECT_TRUE(WritePastedText(path, c.text));
        EXPECT_EQ(ReadBytes(path), c.written) << '"' << c.text << '"';
    }
}

TEST(WritePastedText, ALinkAtThePasteFileIsReplacedNotWrittenThrough) {
    TempDir dir;
    const std::string input = dir.file("input.txt");
    const std::string path = dir.file("Temp_paste.txt");
    WriteBytes(input, "precious\n");
    for (bool hard : {false, true}) {
        ASSERT_EQ(hard ? ::link(input.c_str(), path.c_str()) : ::symlink(input.c_str(), path.c_str()), 0);
        EXPECT_TRUE(WritePastedText(path, "pasted"));
        EXPECT_EQ(ReadBytes(path), "pasted\r\n");
        EXPECT_EQ(ReadBytes(input), "precious\n") << (hard ? "hard link" : "symbolic link");
        ::unlink(path.c_str());
    }
}

TEST(WritePastedText, WritesRowsWithCrLfAndNothingForAnEmptyMemo) {
    TempDir dir;
    std::string path = dir.file("Temp_paste.txt");
    EXPECT_TRUE(WritePastedText(path, "one\n\ntwo \xC3\xA9\n"));
    EXPECT_EQ(ReadBytes(path), "one\r\n\r\ntwo \xC3\xA9\r\n");

    // An emptied memo leaves the last pasted text in place.
    EXPECT_FALSE(WritePastedText(path, ""));
    EXPECT_EQ(ReadCrlfLines(path), (std::vector<std::string>{"one", "", "two \xC3\xA9"}));

    EXPECT_TRUE(WritePastedText(path, "\n"));
    RowList rows;
    NullProgress progress;
    RunCounters counters;
    LoadResult r = LoadInputFile(path, rows, progress, counters);
    EXPECT_EQ(r.rowCount, 1);
    EXPECT_EQ(r.blankRows, 1);
}
