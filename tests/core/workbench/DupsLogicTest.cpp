#include "core/workbench/DupsLogic.h"

#include "core/platform/FileError.h"
#include "tests/support/DialogRun.h"
#include "tests/support/Reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace rs;
using rs::test::Lines;
using rs::test::OnlyMessage;
using rs::test::Publishes;
using rs::test::ReadBytes;
using rs::test::RowListOf;
using rs::test::TempDir;
using rs::test::WriteBytes;
using namespace std::string_literals;

namespace {

Lines RunChoice(const Lines& rows, int spin1, int spin2, DupsChoice choice) {
    test::DialogRun run;
    Lines written = run.run(rows, DupsSettings{spin1, spin2, choice}, RunDups);
    EXPECT_TRUE(Publishes(run.outcome, run.file()));
    EXPECT_TRUE(run.outcome.messages.empty());
    return written;
}

}  // namespace

TEST(Dups, ReversedPositionsAreRefusedBeforeAnythingIsWritten) {
    EXPECT_EQ(
        ValidateDups({2, 1, DupsChoice::All1Dups}),
        "Your first position entered is larger then the second position. Please change the byte positions you have chosen.");
    EXPECT_EQ(ValidateDups({3, 3, DupsChoice::OnlyDups}), std::nullopt);

    TempDir dir;
    WriteBytes(dir.file("Results.txt"), "old\r\n");
    test::RecordingProgress rec;
    RowList rows = RowListOf({"a", "a"});
    RunCounters counters;
    RunOutcome r = RunDups(rows, {5, 4, DupsChoice::OnlyDups}, dir.file("Results.txt"), rec, counters);
    EXPECT_EQ(OnlyMessage(r), kDupsPositionsReversed);
    EXPECT_TRUE(rec.shown().empty());
    EXPECT_EQ(ReadBytes(dir.file("Results.txt")), "old\r\n");
}

TEST(Dups, ChoicesOverHandPickedInputs) {
    struct Case {
        const char* name;
        Lines rows;
        int spin1, spin2;
        Lines onlyDups, noDups, all1Dups;
    } cases[] = {
        {"no rows", {}, 1, 1, {}, {}, {}},
        {"one row", {"abc"}, 1, 2, {}, {"abc"}, {"abc"}},
        {"rows that hold no bytes at all", {"", ""}, 1, 1, {}, {"", ""}, {"", ""}},
        // Key of one character: empty rows are short rows, and short rows are never duplicates.
        {"first character",
         {"a2", "", "b", "a1", ""},
         1,
         1,
         {"a1", "a2"},
         {"", "", "b"},
         {"", "", "a2", "b"}},
        {"same key, different elsewhere",
         {"xABy", "ab", "zABq", "ab"},
         2,
         3,
         {"xABy", "zABq"},
         {"ab", "ab"},
         {"zABq", "ab", "ab"}},
        {"all one key", {"k3", "k1", "k2"}, 1, 1, {"k1", "k2", "k3"}, {}, {"k3"}},
        // The sorted order is that of key followed by row, not of the row or of the input.
        {"sorted by key then row",
         {"9b", "1a", "5b", "3a"},
         2,
         2,
         {"1a", "3a", "5b", "9b"},
         {},
         {"3a", "9b"}},
        {"last item decides by the same rules", {"b1", "a1", "b2"}, 1, 1, {"b1", "b2"}, {"a1"}, {"a1", "b2"}},
        // A short row that sorts between two rows of one key splits them.
        {"short row in between",
         {"ABxy1", "CDxy2", "xyB"},
         3,
         4,
         {},
         {"ABxy1", "xyB", "CDxy2"},
         {"ABxy1", "xyB", "CDxy2"}},
        {"letter case matters", {"Ab", "ab", "AB"}, 1, 1, {"AB", "Ab"}, {"ab"}, {"Ab", "ab"}},
        // Positions count characters: "éa" is two characters in three bytes, so it is short.
        {"characters, not bytes", {"éab", "xab", "éa"}, 2, 3, {"xab", "éab"}, {"éa"}, {"éab", "éa"}},
        {"multi-byte key", {"1€x", "2€y", "3$z"}, 2, 2, {"1€x", "2€y"}, {"3$z"}, {"3$z", "2€y"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunChoice(c.rows, c.spin1, c.spin2, DupsChoice::OnlyDups), c.onlyDups);
        EXPECT_EQ(RunChoice(c.rows, c.spin1, c.spin2, DupsChoice::NoDups), c.noDups);
        EXPECT_EQ(RunChoice(c.rows, c.spin1, c.spin2, DupsChoice::All1Dups), c.all1Dups);
    }
}

// Random inputs against the list built and sorted as whole strings. The alphabet is small so that
// keys repeat, rows share long beginnings (beyond one 8-byte step of the sort), and it holds zero
// bytes, letters of both cases, multi-byte characters and bytes of cut sequences.
TEST(Dups, MatchesTheSortedWorkListOnRandomInputs) {
    const std::vector<std::string> alphabet = {"a", "A", "b", "\0"s, " ", "é", "€", "\xE2\x82", "\xC3", "z"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 250; ++round) {
        const int nrows = static_cast<int>(rng() % 60);
        const int maxLen = 1 + static_cast<int>(rng() % 30);
        std::string stem;
        for (int i = 0; i < 20; ++i) stem += alphabet[rng() % 3];
        Lines rows;
        for (int i = 0; i < nrows; ++i) {
            std::string r;
            if (rng() % 3 == 0) r = stem.substr(0, rng() % stem.size());
            const int len = static_cast<int>(rng() % maxLen);
            for (int k = 0; k < len; ++k) r += alphabet[rng() % alphabet.size()];
            if (!rows.empty() && rng() % 5 == 0) r = rows[rng() % rows.size()];
            rows.push_back(r);
        }
        const int spin1 = 1 + static_cast<int>(rng() % 6);
        const int spin2 = spin1 + static_cast<int>(rng() % 5);
        SCOPED_TRACE("round " + std::to_string(round) + " spins " + std::to_string(spin1) + "-" +
                     std::to_string(spin2));
        Lines only = RunChoice(rows, spin1, spin2, DupsChoice::OnlyDups);
        Lines none = RunChoice(rows, spin1, spin2, DupsChoice::NoDups);
        ASSERT_EQ(only, test::ReferenceDups(rows, spin1, spin2, DupsChoice::OnlyDups));
        ASSERT_EQ(none, test::ReferenceDups(rows, spin1, spin2, DupsChoice::NoDups));
        ASSERT_EQ(RunChoice(rows, spin1, spin2, DupsChoice::All1Dups),
                  test::ReferenceDups(rows, spin1, spin2, DupsChoice::All1Dups));
        // The first two choices together give every input row exactly once.
        Lines both = only;
        both.insert(both.end(), none.begin(), none.end());
        Lines input = rows;
        std::sort(both.begin(), both.end());
        std::sort(input.begin(), input.end());
        ASSERT_EQ(both, input);
    }
}

// Enough rows that the sort and the writing are shared out between threads: long runs of one
// 8-byte prefix are refined side by side and parts of the output meet between two duplicates.
TEST(Dups, MatchesTheSortedWorkListOnLargeInputs) {
    std::mt19937 rng(777);
    const std::string stem = "STEMSTEMSTEMSTEMSTEM";
    Lines rows;
    for (int i = 0; i < 60000; ++i) {
        std::string r;
        if (rng() % 2) r = stem.substr(0, 8 + rng() % 12);
        const int len = static_cast<int>(rng() % 12);
        for (int k = 0; k < len; ++k) r += "ab\xC3\xA9 "[rng() % 6];
        if (!rows.empty() && rng() % 4 == 0) r = rows[rng() % rows.size()];
        rows.push_back(r);
    }
    // Pairs of duplicates behind one short row: every even place of the sorted list ends a
    // pair, wherever the list is cut into parts. The rows are long enough to make several parts.
    Lines pairs{"!"};
    for (int k = 0; k < 50000; ++k)
        pairs.insert(pairs.end(), 2, std::to_string(100000 + k) + "k" + std::string(32, 'p'));
    std::shuffle(pairs.begin(), pairs.end(), rng);
    for (const Lines* input : {&rows, &pairs})
        for (auto [spin1, spin2] : {std::pair{1, 7}, std::pair{9, 9}})
            for (DupsChoice choice : {DupsChoice::OnlyDups, DupsChoice::NoDups, DupsChoice::All1Dups})
                ASSERT_TRUE(RunChoice(*input, spin1, spin2, choice) ==
                            test::ReferenceDups(*input, spin1, spin2, choice))
                    << spin1 << "-" << spin2 << " choice " << static_cast<int>(choice);
}

TEST(Dups, ProgressRunsOverBothPassesFromZero) {
    TempDir dir;
    RowList rows = RowListOf({"h", "g", "f", "e", "d", "c", "b", "a"});
    RunCounters counters;
    counters.InputLineCount = 8;
    test::RecordingProgress rec;
    RunDups(rows, {1, 1, DupsChoice::All1Dups}, dir.file("Results.txt"), rec, counters);
    std::vector<std::string> expected = {test::kStartProcessing};
    for (const char* prefix : {"Evaluating your data ... ", "Writing your results ... "})
        for (int p : {0, 12, 25, 38, 50, 62, 75, 88}) expected.push_back(test::PercentUpdate(prefix, p));
    expected.push_back("end");
    EXPECT_EQ(rec.shown(), expected);
    EXPECT_EQ(counters.ProgressPercent, 88);

    // A divisor of 0 (the input was empty when loaded) leaves the start text up.
    counters.InputLineCount = 0;
    test::RecordingProgress quiet;
    RunDups(rows, {1, 1, DupsChoice::All1Dups}, dir.file("Results.txt"), quiet, counters);
    EXPECT_EQ(quiet.shown(), (std::vector<std::string>{test::kStartProcessing, "end"}));
}

TEST(Dups, ResultsFileIsReplacedAndFailuresSurface) {
    TempDir dir;
    WriteBytes(dir.file("Results.txt"), "earlier run\r\nmore\r\n");
    EXPECT_EQ(RunChoice({"x"}, 1, 1, DupsChoice::OnlyDups), Lines{});

    TempDir out;
    WriteBytes(out.file("Results.txt"), "earlier run\r\n");
    RowList rows = RowListOf({"a"});
    NullProgress progress;
    RunCounters counters;
    RunDups(rows, {1, 1, DupsChoice::OnlyDups}, out.file("Results.txt"), progress, counters);
    EXPECT_EQ(ReadBytes(out.file("Results.txt")), "");

    EXPECT_THROW(
        RunDups(rows, {1, 1, DupsChoice::NoDups}, out.file("missing/Results.txt"), progress, counters),
        FileError);
}
