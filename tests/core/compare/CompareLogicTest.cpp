#include "core/compare/CompareLogic.h"

#include "core/platform/FileError.h"
#include "core/platform/Overwrite.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace rs;
using namespace rs::test;

namespace {

constexpr std::size_t kHeaderLines = 14;

struct CompareRun {
    TempDir dir;
    std::string results = dir.file("Results.txt");
    LoadedFile f1, f2;
    RecordingProgress progress;

    CompareRun(const std::string& bytes1, const std::string& bytes2) {
        WriteBytes(dir.file("one.txt"), bytes1);
        WriteBytes(dir.file("two.txt"), bytes2);
        LoadFileIntoList(dir.file("one.txt"), f1);
        LoadFileIntoList(dir.file("two.txt"), f2);
    }
    RunOutcome run() {
        return CompareLoadedFiles({dir.file("one.txt"), dir.file("two.txt")}, f1, f2, results, progress);
    }
    std::vector<std::string> report() { return ReadCrlfLines(results); }
    std::vector<std::string> differences() {
        auto all = report();
        EXPECT_GE(all.size(), kHeaderLines);
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), kHeaderLines)), all.end()};
    }
};

std::vector<std::string> Gone(const std::string& l) {
    return {"Before File - Line No Longer Found:", l, " "};
}
std::vector<std::string> New(const std::string& l) { return {"After File - New Line Found:", l, " "}; }
std::vector<std::string> Cat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace

TEST(Compare, WritesHeaderCountsAndSortedDifferences) {
    CompareRun r("b\na\n\na\n", "a\r\nc\r\n");
    RunOutcome out = r.run();
    EXPECT_TRUE(out.messages.empty());
    EXPECT_TRUE(test::Publishes(out, r.results));
    EXPECT_EQ(out.failure, kPublishCompare);

    std::vector<std::string> expected = {
        "File Compare Results:",
        "--------------------",
        "Before File: " + r.dir.file("one.txt"),
        "After File : " + r.dir.file("two.txt"),
        " ",
        "Line Counts:",
        "-----------",
        "Before File has :4 lines.",
        "After File has  :2 lines.",
        "Before File has :1 blank lines.",
        "After File has  :0 blank lines.",
        " ",
        "File Mismatches Found:",
        std::string(46, '-'),
    };
    auto more = Cat({Gone("a"), Gone("b"), New("c")});
    expected.insert(expected.end(), more.begin(), more.end());
    EXPECT_EQ(r.report(), expected);
}

TEST(Compare, SameLinesInAnotherOrderGiveHeaderOnly) {
    CompareRun r("x\n\n  \ny\nz\n", "z\ny\n\t \nx\n\n\n");
    r.run();
    auto rep = r.report();
    ASSERT_EQ(rep.size(), kHeaderLines);
    EXPECT_EQ(rep[7], "Before File has :5 lines.");
    EXPECT_EQ(rep[8], "After File has  :6 lines.");
    EXPECT_EQ(rep[9], "Before File has :2 blank lines.");
    EXPECT_EQ(rep[10], "After File has  :3 blank lines.");
}

TEST(Compare, EmptyFirstFileReportsEverythingNew) {
    CompareRun r("", "q\n\np\n");
    r.run();
    auto rep = r.report();
    EXPECT_EQ(rep[7], "Before File has :0 lines.");
    EXPECT_EQ(rep[9], "Before File has :0 blank lines.");
    EXPECT_EQ(r.differences(), Cat({New("p"), New("q")}));
}

TEST(Compare, RefusesWithoutTwoFilesAndLeavesResultsAlone) {
    CompareRun r("a\n", "b\n");
    WriteBytes(r.results, "earlier");
    for (auto [f1, f2] :
         std::vector<std::pair<std::string, std::string>>{{"", "x"}, {"x", " \t"}, {"", ""}}) {
        RunOutcome out = CompareLoadedFiles({f1, f2}, r.f1, r.f2, r.results, r.progress);
        EXPECT_EQ(test::OnlyMessage(out), kMsgCompareNoFiles);
    }
    EXPECT_EQ(ReadBytes(r.results), "earlier");
}

TEST(Compare, RefusesToOverwriteAChosenFile) {
    CompareRun r("a\n", "b\n");
    WriteBytes(r.results, "old results\n");
    LoadedFile fromResults;
    LoadFileIntoList(r.results, fromResults);
    EXPECT_THROW(
        CompareLoadedFiles({r.dir.file("one.txt"), r.results}, r.f1, fromResults, r.results, r.progress),
        OverwriteRefused);
    EXPECT_EQ(ReadBytes(r.results), "old results\n");
}

TEST(Compare, FailedLoadKeepsTheFileChosenBefore) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "one\n\ntwo\n");
    LoadedFile f;
    LoadFileIntoList(dir.file("a.txt"), f);
    EXPECT_THROW(LoadFileIntoList(dir.file("missing.txt"), f), FileError);
    EXPECT_EQ(f.ListHidden.size(), 3u);
    EXPECT_EQ(f.BlankLines, 1);
    SortedLines sorted(f.ListHidden);
    ASSERT_EQ(sorted.size(), 2u);
    EXPECT_EQ(sorted.line(0), "one");
    EXPECT_EQ(sorted.line(1), "two");
}

// Lines that share their first 16 bytes, lines shorter than that, a NUL byte and bytes above 0x7F
// exercise every branch of the sort; the differences must be the multiset difference in
// byte order.
TEST(Compare, MatchesMultisetDifferenceOnRandomFiles) {
    std::mt19937 rng(7);
    const std::vector<std::string> pool = {"abcdefgh1",
                                           "abcdefgh2",
                                           "abcdefgh",
                                           "abc",
                                           "ab",
                                           "\xC3\xA9t\xC3\xA9",
                                           "Z",
                                           "z",
                                           " lead",
                                           "tail ",
                                           "",
                                           " \t",
                                           "abcdefgh\x01",
                                           "\xFF",
                                           "0123456789abcdefX",
                                           "0123456789abcdefY",
                                           "0123456789abcdef",
                                           std::string("abc\0", 4)};
    // The last round is large enough to be walked in stretches side by side.
    for (int round = 0; round < 21; ++round) {
        const bool large = round == 20;
        auto pick = [&] {
            std::string l = pool[rng() % pool.size()];
            if (large && !l.empty() && rng() % 4) l += std::to_string(rng() % 20000);
            return l;
        };
        std::string b1, b2;
        std::map<std::string, int> count;  // File 1 minus File 2
        for (int k = 0; k < (large ? 120000 : 200); ++k) {
            const std::string l1 = pick();
            const std::string l2 = pick();
            b1 += l1 + "\n";
            b2 += l2 + "\n";
            if (!l1.empty() && l1 != " \t") ++count[l1];
            if (!l2.empty() && l2 != " \t") --count[l2];
        }
        CompareRun r(b1, b2);
        r.run();
        std::vector<std::string> expected;
        for (auto& [line, n] : count)
            for (int k = 0; k < std::abs(n); ++k) {
                auto entry = n > 0 ? Gone(line) : New(line);
                expected.insert(expected.end(), entry.begin(), entry.end());
            }
        ASSERT_TRUE(r.differences() == expected) << "round " << round;
    }
}

TEST(Compare, LetsEventsRunDuringLongWalks) {
    std::string b1, b2;
    for (int k = 0; k < 20000; ++k) {
        b1 += "row" + std::to_string(k) + "\n";
        b2 += "row" + std::to_string(k + 1) + "\n";
    }
    CompareRun r(b1, b2);
    r.run();
    EXPECT_GT(r.progress.pumps(), 0);
    EXPECT_EQ(r.differences(), Cat({Gone("row0"), New("row20000")}));
}
