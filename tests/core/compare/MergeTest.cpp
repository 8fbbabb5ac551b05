#include "core/compare/Merge.h"

#include "core/platform/Overwrite.h"
#include "core/platform/Parallel.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace rs;
using namespace rs::test;

namespace {

constexpr std::size_t kHeaderLines = 11;

struct MergeRun {
    TempDir dir;
    std::string results = dir.file("Results.txt");
    MergeSettings s;
    RunOutcome outcome;

    MergeRun() {
        s.file1 = "/data/one.txt";
        s.file2 = "/data/two.txt";
    }
    std::vector<std::string> merge(const RowList& a, const RowList& b) {
        outcome = MergeLoadedFiles(s, a, b, results);
        auto all = ReadCrlfLines(results);
        EXPECT_GE(all.size(), kHeaderLines);
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), kHeaderLines)), all.end()};
    }
    void keys(int s1, int e1, int s2, int e2) { s.start1 = s1, s.end1 = e1, s.start2 = s2, s.end2 = e2; }
};

}  // namespace

TEST(Merge, WorkedExampleInEveryMode) {
    RowList f1 = RowListOf({"01apple", "02pear", "01plum"});
    RowList f2 = RowListOf({"01red", "03blue"});
    struct Case {
        MergeMode mode;
        MergeOutput output;
        Lines expected;
    } cases[] = {
        {MergeMode::Match, MergeOutput::Both, {"01apple", "01red", "01plum"}},
        {MergeMode::Match, MergeOutput::File1Only, {"01apple", "01plum"}},
        {MergeMode::Match, MergeOutput::File2Only, {"01red"}},
        {MergeMode::Mismatch, MergeOutput::Both, {"02pear", "03blue"}},
        {MergeMode::Mismatch, MergeOutput::File1Only, {"02pear"}},
        {MergeMode::Mismatch, MergeOutput::File2Only, {"03blue"}},
    };
    for (const Case& c : cases) {
        MergeRun r;
        r.keys(1, 2, 1, 2);
        r.s.mode = c.mode;
        r.s.output = c.output;
        EXPECT_EQ(r.merge(f1, f2), c.expected)
            << static_cast<int>(c.mode) << "/" << static_cast<int>(c.output);
        EXPECT_TRUE(r.outcome.messages.empty());
        EXPECT_TRUE(Publishes(r.outcome, r.results));
        EXPECT_EQ(r.outcome.failure, kPublishChanges);
    }
}

TEST(Merge, HeaderNamesEverySetting) {
    struct Case {
        MergeMode mode;
        MergeOutput output;
        const char* outputLine;
        const char* modeLine;
    } cases[] = {
        {MergeMode::Match, MergeOutput::Both, "Merge includes lines from BOTH files.",
         "Merge shows lines where data positions MATCH."},
        {MergeMode::Mismatch, MergeOutput::File1Only, "Merge includes only lines from FILE 1.",
         "Merge shows lines where data positions MISMATCH."},
        {MergeMode::Match, MergeOutput::File2Only, "Merge includes only lines from FILE 2.",
         "Merge shows lines where data positions MATCH."},
    };
    for (const Case& c : cases) {
        MergeRun r;
        r.keys(2, 4, 12, 14);
        r.s.mode = c.mode;
        r.s.output = c.output;
        EXPECT_TRUE(r.merge(RowList(), RowList()).empty());
        Lines expected = {"Settings Chosen:",
                          "----------------",
                          "File 1: /data/one.txt",
                          "File 2: /data/two.txt",
                          "Merging based on File 1 positions between 2 and 4",
                          "Merging based on File 2 positions between 12 and 14",
                          c.outputLine,
                          c.modeLine,
                          " ",
                          "Merge Results Below:",
                          "--------------------"};
        EXPECT_EQ(ReadCrlfLines(r.results), expected);
    }
}

TEST(Merge, ValidationStopsAtTheFirstFailingCheck) {
    struct Case {
        std::string f1, f2;
        int s1, e1, s2, e2;
        const char* message;
    } cases[] = {
        {"", "", 5, 3, 5, 3, kMsgMergeNoFiles},      {"a", "  ", 1, 1, 1, 1, kMsgMergeNoFiles},
        {"a", "b", 5, 3, 5, 3, kMsgMergeFile1Range}, {"a", "b", 1, 3, 5, 3, kMsgMergeFile2Range},
        {"a", "b", 1, 3, 1, 4, kMsgMergeLengths},    {"a", "b", 2, 3, 1, 1, kMsgMergeLengths},
    };
    for (const Case& c : cases) {
        MergeRun r;
        WriteBytes(r.results, "earlier");
        r.s.file1 = c.f1;
        r.s.file2 = c.f2;
        r.keys(c.s1, c.e1, c.s2, c.e2);
        RunOutcome out = MergeLoadedFiles(r.s, RowListOf({"x"}), RowListOf({"x"}), r.results);
        EXPECT_EQ(OnlyMessage(out), c.message);
        EXPECT_EQ(ReadBytes(r.results), "earlier");
    }
}

TEST(Merge, RefusesWhenAChosenFileIsTheResultsFile) {
    MergeRun r;
    WriteBytes(r.results, "keep me\n");
    r.s.file1 = r.results;
    EXPECT_THROW(MergeLoadedFiles(r.s, RowListOf({"keep me"}), RowListOf({"x"}), r.results),
                 OverwriteRefused);
    EXPECT_EQ(ReadBytes(r.results), "keep me\n");
}

TEST(Merge, GroupsWriteFirstLinesThenTheRestOfEachSide) {
    MergeRun r;
    r.s.output = MergeOutput::Both;
    EXPECT_EQ(r.merge(RowListOf({"Ax", "Ay"}), RowListOf({"Az"})), (Lines{"Ax", "Az", "Ay"}));
    EXPECT_EQ(r.merge(RowListOf({"Ay", "Ax", "B1"}), RowListOf({"Aq", "Ap", "B2", "B0"})),
              (Lines{"Ax", "Ap", "Ay", "Aq", "B1", "B0", "B2"}));
}

TEST(Merge, PositionsCountCharactersNotBytes) {
    MergeRun r;
    r.keys(2, 3, 1, 2);
    r.s.output = MergeOutput::Both;
    // "é" is two bytes: characters 2-3 of "éab" are "ab".
    EXPECT_EQ(r.merge(RowListOf({"\xC3\xA9"
                                 "ab",
                                 "x\xC3\xA9z"}),
                      RowListOf({"ab!", "\xC3\xA9z"})),
              (Lines{"\xC3\xA9"
                     "ab",
                     "ab!", "x\xC3\xA9z", "\xC3\xA9z"}));
}

TEST(Merge, ShortLinesKeepTheKeyTheyHaveAndAreWrittenWhole) {
    MergeRun r;
    r.keys(3, 5, 3, 5);
    r.s.mode = MergeMode::Mismatch;
    r.s.output = MergeOutput::Both;
    // "xxab" and "zzab" share the short key "ab"; "x" and "yy" end before the key and match nothing.
    RowList a = RowListOf({"xxab", "x", "xxabc1", "y"}), b = RowListOf({"zzab", "yy", "qqabd"});
    EXPECT_EQ(r.merge(a, b), (Lines{"x", "y", "yy", "xxabc1", "qqabd"}));
    r.s.output = MergeOutput::File2Only;
    EXPECT_EQ(r.merge(a, b), (Lines{"yy", "qqabd"}));
    r.s.mode = MergeMode::Match;
    r.s.output = MergeOutput::Both;
    EXPECT_EQ(r.merge(a, b), (Lines{"xxab", "zzab"}));
}

TEST(Merge, KeysLongerThanTheirSortPrefix) {
    MergeRun r;
    r.keys(1, 18, 3, 20);
    r.s.output = MergeOutput::Both;
    RowList a = RowListOf({"0123456789abcdefgh1", "0123456789abcdefgi2"}),
            b = RowListOf({"..0123456789abcdefgh3"});
    EXPECT_EQ(r.merge(a, b), (Lines{"0123456789abcdefgh1", "..0123456789abcdefgh3"}));
    r.s.mode = MergeMode::Mismatch;
    EXPECT_EQ(r.merge(a, b), (Lines{"0123456789abcdefgi2"}));
}

TEST(Merge, LinesOfAnyLengthAreWrittenWhole) {
    MergeRun r;
    r.keys(1, 2, 1, 2);
    r.s.output = MergeOutput::Both;
    const std::string huge = "AB" + std::string(17 << 20, 'x');  // longer than a row's inline length
    RowList a = RowListOf({"ZZ1", huge, "AB" + std::string(17 << 20, 'w')}), b = RowListOf({"AB2"});
    const Lines merged = r.merge(a, b);
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].size(), huge.size());
    EXPECT_EQ(merged[0].substr(0, 3), "ABw");
    EXPECT_EQ(merged[1], "AB2");
    EXPECT_TRUE(merged[2] == huge);
}

TEST(Merge, AdvanceGroupStopsOnTheNextKey) {
    RowList rows1 = RowListOf({"a2", "a1", "b1"}), rows2 = RowListOf({"a9", "c"});
    KeyedRows list1(rows1, 1, 1), list2(rows2, 1, 1);
    PartText out;
    MergeState st{list1, list2, 0, 0, 1, &out};
    MergeAdvanceGroup(st, "FILE1", "a", true);
    EXPECT_EQ(st.MergeIndex1, 2u);
    MergeAdvanceGroup(st, "FILE1", "b", true);
    EXPECT_EQ(st.MergeIndex1, 3u);
    MergeAdvanceGroup(st, "anything", "a", true);
    EXPECT_EQ(st.MergeIndex2, 1u);
    EXPECT_EQ(out.text(), "a2\r\n");
}

// The walk against a key-by-key table of the same rows: duplicates, keys in one file or
// both, case, leading spaces, short rows, rows without a key and the rows left after the walk;
// the large files, whose rows with a whole key go on for `tail` more characters, are walked in
// stretches side by side.
TEST(Merge, AgreesWithAKeyTableOnRandomFiles) {
    struct Shape {
        int rounds, maxRows, maxLen, tail;
        std::string alphabet;
        int start, keyLength;
    };
    const Shape shapes[] = {{30, 40, 5, 0, "aAb ", 1, 2}, {1, 150000, 8, 80, "abcdefghijklmnopqrsT ", 2, 4}};
    std::mt19937 rng(11);
    for (const Shape& shape : shapes)
        for (int round = 0; round < shape.rounds; ++round) {
            RowList a, b;
            std::map<std::string, std::pair<Lines, Lines>> table;
            std::pair<Lines, Lines> keyless;
            auto fill = [&](RowList& rows, bool first) {
                const int n = static_cast<int>(rng() % shape.maxRows);
                for (int k = 0; k < n; ++k) {
                    std::string line;
                    int len = static_cast<int>(rng() % shape.maxLen) + 1;
                    if (len >= shape.start + shape.keyLength - 1) len += shape.tail;
                    for (int c = 0; c < len; ++c) line += shape.alphabet[rng() % shape.alphabet.size()];
                    rows.append(line);
                    if (line.find_first_not_of(' ') == std::string::npos) continue;
                    auto& sides =
                        len < shape.start ? keyless : table[line.substr(shape.start - 1, shape.keyLength)];
                    (first ? sides.first : sides.second).push_back(line);
                }
            };
            fill(a, true);
            fill(b, false);
            std::sort(keyless.first.begin(), keyless.first.end());
            std::sort(keyless.second.begin(), keyless.second.end());
            for (auto& [key, sides] : table) {
                std::sort(sides.first.begin(), sides.first.end());
                std::sort(sides.second.begin(), sides.second.end());
            }
            for (MergeMode mode : {MergeMode::Match, MergeMode::Mismatch})
                for (MergeOutput output :
                     {MergeOutput::Both, MergeOutput::File1Only, MergeOutput::File2Only}) {
                    const bool w1 = output != MergeOutput::File2Only, w2 = output != MergeOutput::File1Only;
                    Lines expected;
                    // Rows without a key match nothing; they sort first, File 1's before File 2's.
                    if (mode == MergeMode::Mismatch) {
                        if (w1) expected.insert(expected.end(), keyless.first.begin(), keyless.first.end());
                        if (w2) expected.insert(expected.end(), keyless.second.begin(), keyless.second.end());
                    }
                    for (auto& [key, sides] : table) {
                        auto& [l1, l2] = sides;
                        const bool both = !l1.empty() && !l2.empty();
                        if (mode == MergeMode::Match && both) {
                            if (w1) expected.push_back(l1[0]);
                            if (w2) expected.push_back(l2[0]);
                            if (w1) expected.insert(expected.end(), l1.begin() + 1, l1.end());
                            if (w2) expected.insert(expected.end(), l2.begin() + 1, l2.end());
                        } else if (mode == MergeMode::Mismatch && !both) {
                            if (w1) expected.insert(expected.end(), l1.begin(), l1.end());
                            if (w2) expected.insert(expected.end(), l2.begin(), l2.end());
                        }
                    }
                    MergeRun r;
                    const int end = shape.start + shape.keyLength - 1;
                    r.keys(shape.start, end, shape.start, end);
                    r.s.mode = mode;
                    r.s.output = output;
                    ASSERT_TRUE(r.merge(a, b) == expected)
                        << "round " << round << " mode " << static_cast<int>(mode) << " output "
                        << static_cast<int>(output);
                }
        }
}
