#include "core/workbench/LineOperations.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/TextFile.h"
#include "core/workbench/LoadInput.h"
#include "tests/support/Doubles.h"
#include "tests/support/LineRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>

using namespace rs;
using namespace rs::test;

namespace {
const char* const kAllModes[] = {"TRIM",         "LTRIM", "RTRIM",     "UPPER", "LOWER",
                                 "REMOVE-BLANK", "COUNT", "WORDCOUNT", "TALLY", "SUM"};

std::string SumMessage(const std::string& sum, const std::string& whole, const std::string& frac, int valid,
                       int invalid) {
    return "The total sum is: " + sum + "   The total \"whole\" values summed up is " + whole +
           "   The total \"frac\" (decimal) values summed up is " + frac + "   There were " +
           std::to_string(valid) + " values total used in the list and there were " +
           std::to_string(invalid) + " invalid values in your list that were thrown out.";
}
}  // namespace

TEST(LineOperations, EmptyInputEmptiesTheResultsFileInEveryMode) {
    for (const char* mode : kAllModes) {
        LineRun run = RunMode(mode, "", "ab");
        EXPECT_TRUE(run.lines.empty()) << mode;
        EXPECT_EQ(run.progress.shown(), (Lines{kStartProcessing, "end"})) << mode;
        EXPECT_EQ(run.searchText, "ab") << mode;  // upper-cased only once a row is met
        std::string m = mode;
        if (m == "TALLY") {
            EXPECT_EQ(
                OnlyMessage(run.outcome),
                "The word \"ab\" occurred 0 times in your text. Note: Uppercase or lowercase does not matter as it will find it regardless.");
        } else if (m == "WORDCOUNT") {
            EXPECT_EQ(
                OnlyMessage(run.outcome),
                "The total number of words in the file is: 0. A word is defined as any characters surrounded by spaces.");
        } else if (m == "SUM") {
            EXPECT_EQ(
                OnlyMessage(run.outcome),
                "The total sum is: 0   The total \"whole\" values summed up is 0   The total \"frac\" (decimal) values summed up is 0   There were 0 values total used in the list and there were 0 invalid values in your list that were thrown out.");
        } else {
            EXPECT_TRUE(Publishes(run.outcome, run.resultsFile)) << mode;
            EXPECT_TRUE(run.outcome.messages.empty());
        }
    }
}

TEST(LineOperations, RowsByMode) {
    const std::string input = "  a B\t\r\n\n \t \nMiXed \xC3\xA9 \xC3\x84 z\n\xFFq\n";
    struct Case {
        const char* mode;
        Lines out;
    } cases[] = {
        {"TRIM", {"a B", "", "", "MiXed \xC3\xA9 \xC3\x84 z", "\xFFq"}},
        {"LTRIM", {"a B\t", "", "", "MiXed \xC3\xA9 \xC3\x84 z", "\xFFq"}},
        {"RTRIM", {"  a B", "", "", "MiXed \xC3\xA9 \xC3\x84 z", "\xFFq"}},
        {"UPPER", {"  A B\t", "", " \t ", "MIXED \xC3\xA9 \xC3\x84 Z", "\xFFQ"}},
        {"LOWER", {"  a b\t", "", " \t ", "mixed \xC3\xA9 \xC3\x84 z", "\xFFq"}},
        {"REMOVE-BLANK", {"  a B\t", "MiXed \xC3\xA9 \xC3\x84 z", "\xFFq"}},
        {"COUNT", {"1)   a B\t", "2) ", "3)  \t ", "4) MiXed \xC3\xA9 \xC3\x84 z", "5) \xFFq"}},
        {"WORDCOUNT", {"B", "", "", "z", "\xFFq"}},
    };
    for (auto& c : cases) {
        LineRun run = RunMode(c.mode, input);
        EXPECT_EQ(run.lines, c.out) << c.mode;
    }
}

TEST(LineOperations, BytesPassThroughUntouched) {
    // NUL bytes, broken UTF-8 and a row larger than any read buffer.
    std::string big(3 << 20, 'x');
    for (std::size_t i = 4099; i < big.size(); i += 4099) big[i] = static_cast<char>(i % 251);
    for (char& ch : big)
        if (ch == '\n' || ch == '\r' || ch == 0x1A) ch = '.';
    const std::string odd("a\0b\xC3\xED\xA0\x80", 7);
    const std::string input = odd + "\n" + big + "\n";
    for (const char* mode : {"TRIM", "REMOVE-BLANK", "COUNT"}) {
        LineRun run = RunMode(mode, input);
        std::string prefix = std::string(mode) == "COUNT" ? "1) " : "";
        ASSERT_EQ(run.lines.size(), 2u) << mode;
        EXPECT_EQ(run.lines[0], prefix + odd) << mode;
        EXPECT_TRUE(run.lines[1].ends_with(big)) << mode;
    }
    LineRun upper = RunMode("UPPER", input);
    EXPECT_EQ(upper.lines[0], std::string("A\0B\xC3\xED\xA0\x80", 7));
    EXPECT_EQ(upper.lines[1], chars::Upper(big));
}

TEST(LineOperations, WordCount) {
    struct Case {
        std::string rows;
        int words;
        Lines out;
    } cases[] = {
        {"one  two   three\n", 3, {"three"}},
        {"one\ttwo\n", 1, {"one\ttwo"}},
        {" \t \n", 1, {""}},    // spaces alone still count one word
        {"\n\n", 0, {"", ""}},  // empty rows count none
        {"a \t b\n x\t\n", 3, {"b", "x"}},
    };
    for (auto& c : cases) {
        LineRun run = RunMode("WORDCOUNT", c.rows);
        EXPECT_EQ(run.lines, c.out) << c.rows;
        EXPECT_EQ(OnlyMessage(run.outcome),
                  "The total number of words in the file is: " + std::to_string(c.words) +
                      ". A word is defined as any characters surrounded by spaces.")
            << c.rows;
    }
}

TEST(LineOperations, WordCountAgreesWithDeletingWordByWord) {
    // The counting as users have it described: trim, then while a space is left delete up to
    // and including it and trim again.
    auto literal = [](std::string row, std::int64_t& words) {
        row = std::string(chars::Trim(row));
        for (std::size_t sp; (sp = row.find(' ')) != std::string::npos; ++words)
            row = std::string(chars::Trim(row.substr(sp + 1)));
        ++words;
        return row;
    };
    std::mt19937 rng(11);
    std::string input;
    Lines expected;
    std::int64_t words = 0;
    for (int r = 0; r < 3000; ++r) {
        std::string row;
        int len = static_cast<int>(r % 100 == 0 ? 600 + rng() % 40 : rng() % 40);  // some past 255 bytes
        for (int i = 0; i < len; ++i) row.push_back("ab  \t\x01\xC3"[rng() % 7]);
        input += row + "\n";
        expected.push_back(row.empty() ? row : literal(row, words));
    }
    LineRun run = RunMode("WORDCOUNT", input);
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(OnlyMessage(run.outcome), "The total number of words in the file is: " + std::to_string(words) +
                                            ". A word is defined as any characters surrounded by spaces.");
}

TEST(LineOperations, TallyCountsCaseFoldedOccurrencesAndDeletesThem) {
    struct Case {
        std::string search, rows;
        int count;
        Lines out;
        std::string shown;
    } cases[] = {
        {"ab", "aabb\n", 2, {""}, "AB"},
        {"ab", "xAbyab\n\nAB\n", 3, {"XY", "", ""}, "AB"},
        {"ab", "xxxxxxxxab\nxa\n", 1, {"XXXXXXXX", "XA"}, "AB"},  // a short row after a longer one
        {"aa", "aaaa\naaa\n", 3, {"", "A"}, "AA"},
        {"\xC3\xA9", "\xC3\x89\n", 0, {"\xC3\x89"}, "\xC3\xA9"},  // only a to z fold
        {"x", "\n", 0, {""}, "x"},                                // no non-empty row: kept as typed
    };
    for (auto& c : cases) {
        LineRun run = RunMode("TALLY", c.rows, c.search);
        EXPECT_EQ(run.lines, c.out) << c.rows;
        EXPECT_EQ(run.searchText, c.shown);
        EXPECT_EQ(
            OnlyMessage(run.outcome),
            "The word \"" + c.shown + "\" occurred " + std::to_string(c.count) +
                " times in your text. Note: Uppercase or lowercase does not matter as it will find it regardless.");
    }
}

TEST(OccurrenceEraser, MatchesDeletingTheFirstOccurrenceAndSearchingAgain) {
    auto naive = [](std::string row, const std::string& text, std::int64_t& count) {
        count = 0;
        for (std::size_t p; !text.empty() && (p = row.find(text)) != std::string::npos; ++count)
            row.erase(p, text.size());
        return row;
    };
    std::mt19937 rng(7);
    for (int iter = 0; iter < 20000; ++iter) {
        std::string text, row;
        int tl = 1 + static_cast<int>(rng() % 4), rl = static_cast<int>(rng() % 30);
        for (int i = 0; i < tl; ++i) text.push_back("ab"[rng() % 2]);
        for (int i = 0; i < rl; ++i) row.push_back("abc"[rng() % 3 == 2 && rng() % 4 == 0 ? 2 : rng() % 2]);
        if (iter % 100 == 0) {
            // Texts too long for the transition table, nested into the row a few times.
            for (int i = 0; i < 257; ++i) text.push_back("ab"[rng() % 2]);
            for (int k = 0; k < 3; ++k) row.insert(rng() % (row.size() + 1), text);
        }
        std::int64_t expectedCount;
        std::string expected = naive(row, text, expectedCount);
        OccurrenceEraser eraser(text);
        std::size_t n = row.size();
        std::int64_t count = eraser.erase(row, n);
        ASSERT_EQ(std::string(row.data(), n), expected) << text << " in " << row;
        ASSERT_EQ(count, expectedCount);
    }
    // A row of nested occurrences much longer than the text stays linear and exact.
    std::string deep = std::string(500000, 'a') + std::string(500000, 'b');
    std::size_t n = deep.size();
    EXPECT_EQ(OccurrenceEraser("ab").erase(deep, n), 500000);
    EXPECT_EQ(n, 0u);
}

TEST(LineOperations, PercentagesAfterEveryRow) {
    LineRun run = RunMode("UPPER", "a\nb\nc\nd\ne\nf\ng\nh\n");
    EXPECT_EQ(run.progress.shown(),
              (Lines{kStartProcessing, ProcessingUpdate(12), ProcessingUpdate(25), ProcessingUpdate(38),
                     ProcessingUpdate(50), ProcessingUpdate(62), ProcessingUpdate(75), ProcessingUpdate(88),
                     ProcessingUpdate(100), "end"}));
    EXPECT_EQ(run.counters.RowCounter, 8);
    EXPECT_EQ(run.counters.ProgressPercent, 100);

    // A file that grew since it was loaded passes 100; one loaded empty shows no percentage.
    LineRun grown = RunMode("TRIM", "a\nb\nc\n", "", '.', 2);
    EXPECT_EQ(grown.progress.shown().at(3), ProcessingUpdate(150));
    LineRun unloaded = RunMode("COUNT", "a\nb\nc\n", "", '.', 0);
    EXPECT_EQ(unloaded.progress.shown(), (Lines{kStartProcessing, "end"}));
    EXPECT_EQ(unloaded.lines, (Lines{"1) a", "2) b", "3) c"}));
    EXPECT_EQ(unloaded.counters.RowCounter, 3);
}

TEST(RemoveTextEverywhere, DeletesUntilNoneIsLeftAndKeepsEveryRow) {
    TempDir dir;
    struct Case {
        std::string search, rows;
        Lines out;
    } cases[] = {
        {"ab", "aabb\nabab\nAB\n\nxaby\n", {"", "", "AB", "", "xy"}},
        {"aa", "aaa\n", {"a"}},
        {" x ", "a x b\nax b\n x \n", {"ab", "ax b", ""}},
        {"\xC3\xA9", "caf\xC3\xA9\xC3\xA9!\n", {"caf!"}},
    };
    for (auto& c : cases) {
        WriteBytes(dir.file("in.txt"), c.rows);
        RunCounters counters;
        counters.InputLineCount = static_cast<int>(c.out.size());
        RecordingProgress progress;
        RunOutcome o =
            RemoveTextEverywhere(dir.file("in.txt"), c.search, dir.file("out.txt"), progress, counters);
        EXPECT_TRUE(Publishes(o, dir.file("out.txt")));
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(ReadCrlfLines(dir.file("out.txt")), c.out) << c.rows;
        EXPECT_EQ(progress.shown().front(), kStartProcessing);
        EXPECT_EQ(progress.shown().end()[-2], ProcessingUpdate(100));
        EXPECT_EQ(counters.RowCounter, static_cast<int>(c.out.size()));
    }
    WriteBytes(dir.file("in.txt"), "");
    RecordingProgress progress;
    RunCounters counters;
    RemoveTextEverywhere(dir.file("in.txt"), "a", dir.file("out.txt"), progress, counters);
    EXPECT_EQ(ReadBytes(dir.file("out.txt")), "");
    EXPECT_EQ(progress.shown(), (Lines{kStartProcessing, "end"}));
}

TEST(RemoveLinesContaining, WritesTheOtherRowsAndCountsTheRemovedOnes) {
    TempDir dir;
    RowList rows = RowListOf({"keep", "", "the Smith row", "smith", "Smith", " "});
    RunOutcome o = RemoveLinesContaining(rows, "Smith", dir.file("out.txt"));
    EXPECT_EQ(ReadCrlfLines(dir.file("out.txt")), (Lines{"keep", "", "smith", " "}));
    EXPECT_TRUE(Publishes(o, dir.file("out.txt")));
    EXPECT_EQ(o.messages, (Lines{"Total rows removed = 2"}));

    o = RemoveLinesContaining(rows, "zz", dir.file("out.txt"));
    EXPECT_EQ(ReadCrlfLines(dir.file("out.txt")).size(), rows.size());
    EXPECT_EQ(o.messages, (Lines{"Total rows removed = 0"}));

    o = RemoveLinesContaining(RowList(), "zz", dir.file("out.txt"));
    EXPECT_EQ(ReadBytes(dir.file("out.txt")), "");
    EXPECT_EQ(o.messages, (Lines{"Total rows removed = 0"}));
}

TEST(LineOperations, RefusesToWriteOverItsOwnInput) {
    TempDir dir;
    const std::string results = dir.file("Results.txt");
    WriteBytes(results, "a\r\nb\r\n");
    std::string search = "a";
    RecordingProgress progress;
    RunCounters counters;
    for (const char* mode : kAllModes)
        EXPECT_THROW(RunLineOperation(mode, results, search, results, progress, counters), OverwriteRefused)
            << mode;
    EXPECT_THROW(RemoveTextEverywhere(results, "a", results, progress, counters), OverwriteRefused);
    // The same file under another name, or through a link, is refused too.
    std::string other = dir.file("sub/../Results.txt");
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::create_symlink(results, dir.file("link.txt"));
    EXPECT_THROW(RemoveTextEverywhere(other, "a", results, progress, counters), OverwriteRefused);
    EXPECT_THROW(RemoveTextEverywhere(dir.file("link.txt"), "a", results, progress, counters),
                 OverwriteRefused);
    RowList rows;
    rows.loadFile(dir.file("link.txt"));
    try {
        RemoveLinesContaining(rows, "a", results);
        ADD_FAILURE() << "not refused";
    } catch (const OverwriteRefused& e) {
        EXPECT_NE(std::string(e.what()).find(results), std::string::npos);
    }
    EXPECT_TRUE(progress.shown().empty());
    EXPECT_EQ(ReadBytes(results), "a\r\nb\r\n");
}

TEST(LineOperations, MissingInputRaisesFileErrorAndLeavesTheResultsAlone) {
    TempDir dir;
    WriteBytes(dir.file("Results.txt"), "previous\r\n");
    std::string search = "a";
    RecordingProgress progress;
    RunCounters counters;
    EXPECT_THROW(
        RunLineOperation("SUM", dir.file("gone.txt"), search, dir.file("Results.txt"), progress, counters),
        FileError);
    EXPECT_THROW(RemoveTextEverywhere(dir.file("gone.txt"), "a", dir.file("Results.txt"), progress, counters),
                 FileError);
    EXPECT_TRUE(progress.shown().empty());
    EXPECT_EQ(ReadBytes(dir.file("Results.txt")), "previous\r\n");
    EXPECT_THROW(
        RunLineOperation("trim", dir.file("gone.txt"), search, dir.file("Results.txt"), progress, counters),
        std::invalid_argument);
}

TEST(LineOperations, PastedTextIsCheckedOnTheBytesTheRunReads) {
    TempDir dir;
    const std::string pasted = dir.file("Temp_paste.txt");
    const std::string results = dir.file("Results.txt");
    ContentDigest saved;
    ASSERT_TRUE(WritePastedText(pasted, " mine\x1A \r\n", &saved));
    const std::optional<PastedText> mine = PastedText{pasted, saved};
    std::string search = "x";
    RunCounters counters;

    // Another window's save that lands once the run has opened the file changes nothing it reads.
    struct SavedOverOnStart : RecordingProgress {
        std::string path;
        void start(std::string_view text) override {
            ASSERT_TRUE(WritePastedText(path, "theirs"));
            RecordingProgress::start(text);
        }
    } savedOver;
    savedOver.path = pasted;
    RunLineOperation("TRIM", pasted, search, results, savedOver, counters, '.', mine);
    EXPECT_EQ(ReadBytes(results), "mine\r\n");

    // One that landed before the run read it is refused, and the results stay as they were.
    RecordingProgress progress;
    for (const char* mode : kAllModes) {
        try {
            RunLineOperation(mode, pasted, search, results, progress, counters, '.', mine);
            ADD_FAILURE() << mode << " ran";
        } catch (const RunRefused& e) {
            EXPECT_STREQ(e.what(), kPasteReplacedText);
        }
    }
    EXPECT_THROW(RemoveTextEverywhere(pasted, "e", results, progress, counters, mine), RunRefused);
    EXPECT_EQ(ReadBytes(results), "mine\r\n");

    // Any other input is read as it is.
    RemoveTextEverywhere(pasted, "e", dir.file("out.txt"), progress, counters, PastedText{"other", saved});
    EXPECT_EQ(ReadBytes(dir.file("out.txt")), "thirs\r\n");
}

TEST(Sum, MixedRows) {
    LineRun run = RunMode("SUM", "$1,234.50\n-2.25\nabc\n\n");
    EXPECT_EQ(run.lines, (Lines{"1234.50", "2.25", "abc", ""}));
    EXPECT_EQ(OnlyMessage(run.outcome), SumMessage("1232.25", "1232", "0.25", 2, 1));
}

TEST(Sum, OneRowEach) {
    struct Case {
        const char* row;
        const char* written;
        const char *sum, *whole, *frac;
        int valid, invalid;
    } cases[] = {
        {"--5", "-5", "5", "5", "0", 1, 0},
        {"1.5E2", "1.5E2", "150", "1", "50", 1, 0},
        {"+.5", "+.5", "0", "0", "0", 0, 1},
        {"$ .5", " .5", "0", "0", "0", 0, 1},
        {"-", "", "0", "0", "0", 0, 1},
        {"5-", "5-", "0", "0", "0", 0, 1},
        {"12abc", "12abc", "0", "0", "0", 0, 1},
        {"1,5", "15", "15", "15", "0", 1, 0},
        {".", ".", "0", "0", "0", 1, 0},
        {"5.", "5.", "5", "5", "0", 1, 0},
        {".75", ".75", "0.75", "0", "0.75", 1, 0},
        {"-.5", ".5", "-0.5", "0", "-0.5", 1, 0},
        {"\t $1,000,000 \t", "1000000", "1000000", "1000000", "0", 1, 0},
        {"$12,345,678,901,234.5$", "12345678901234.5", "12345678901234.5", "12345678901234", "0.5", 1, 0},
        {"0000000000000000000000001,000.5", "0000000000000000000000001000.5", "1000.5", "1000", "0.5", 1, 0},
        {" \t ", "", "0", "0", "0", 0, 0},
        {"$ ,", " ", "0", "0", "0", 0, 0},
        {"1e99999", "1e99999", "0", "0", "0", 0, 1},
        {"1E-7", "1E-7", "1E-7", "1E-7", "0", 1, 0},
    };
    for (auto& c : cases) {
        LineRun run = RunMode("SUM", std::string(c.row) + "\n");
        EXPECT_EQ(run.lines, (Lines{c.written})) << c.row;
        EXPECT_EQ(OnlyMessage(run.outcome), SumMessage(c.sum, c.whole, c.frac, c.valid, c.invalid)) << c.row;
    }
}

TEST(Sum, CommaSeparatorRejectsPointsAndWritesCommas) {
    LineRun run = RunMode("SUM", "1.5\n25e-1\n3\n", "", ',');
    EXPECT_EQ(OnlyMessage(run.outcome), SumMessage("5,5", "5,5", "0", 2, 1));
}
