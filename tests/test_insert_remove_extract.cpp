#include "core/workbench/ExtractLogic.h"
#include "core/workbench/InsertLogic.h"
#include "core/workbench/RemoveLogic.h"
#include "core/platform/Chars.h"
#include "core/platform/FileError.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/Reference.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

RowList Rows(const Lines& lines) {
    RowList r;
    for (auto& l : lines) r.append(l);
    return r;
}

// Runs one dialog operation over the rows and gives back the lines of the results file.
struct Harness {
    test::TempDir dir;
    test::RecordingProgress progress;
    RunCounters counters;
    RunOutcome outcome;
    std::string file() const { return dir.file("Results.txt"); }

    template <class Settings, class Run>
    Lines run(const Lines& lines, const Settings& s, Run fn) {
        RowList rows = Rows(lines);
        counters.InputLineCount = static_cast<std::int32_t>(lines.size());
        outcome = fn(rows, s, file(), progress, counters);
        return test::ReadCrlfLines(file());
    }
};

Lines Insert(const Lines& rows, std::string text, int pos, std::string beg = "", std::string end = "") {
    Harness h;
    return h.run(rows, InsertSettings{text, pos, beg, end}, RunInsert);
}

RemoveSettings ByPosition(int a, int b, bool only = false, std::string text = "", bool entire = false) {
    return RemoveSettings{a, b, only, text, entire, false};
}
RemoveSettings ByKey(int a, int b) { return RemoveSettings{a, b, false, "", false, true}; }

Lines Remove(const Lines& rows, const RemoveSettings& s) {
    Harness h;
    return h.run(rows, s, RunRemove);
}

Lines Extract(const Lines& rows, const ExtractSettings& s) {
    Harness h;
    return h.run(rows, s, RunExtract);
}


}  // namespace

TEST(Insert, PositionsAroundTheRowLength) {
    const Lines rows{"abc", "ab", "abcd", "", "é€x"};
    EXPECT_EQ(Insert(rows, "X", 0), (Lines{"Xabc", "Xab", "Xabcd", "", "Xé€x"}));
    EXPECT_EQ(Insert(rows, "X", 3), (Lines{"abcX", "ab", "abcXd", "", "é€xX"}));
    EXPECT_EQ(Insert(rows, "X", 2), (Lines{"abXc", "abX", "abXcd", "", "é€Xx"}));
    EXPECT_EQ(Insert(rows, "X", 1), (Lines{"aXbc", "aXb", "aXbcd", "", "éX€x"}));
    EXPECT_EQ(Insert(rows, "X", 25000), rows);
    EXPECT_EQ(Insert(rows, "", 0), rows);
    // Rows that hold no bytes at all.
    EXPECT_EQ(Insert({"", ""}, "X", 1), (Lines{"", ""}));
}

TEST(Insert, PrefixAndSuffixGoOnEveryRowAfterTheInsertion) {
    EXPECT_EQ(Insert({"abc", "", "a"}, "X", 0, "<", ">"), (Lines{"<Xabc>", "<>", "<Xa>"}));
    EXPECT_EQ(Insert({"abc", "ab"}, "-", 3, "[", ""), (Lines{"[abc-", "[ab"}));
    // A row of invalid UTF-8 counts each stray byte as one character and keeps it.
    EXPECT_EQ(Insert({"\xff\xfe" "a"}, "X", 2), (Lines{"\xff\xfeXa"}));
}

TEST(Insert, ProgressCountsFromZeroAndEmptyInputStillWritesTheFile) {
    Harness h;
    h.run(Lines{"a", "b", "c"}, InsertSettings{"X", 0, "", ""}, RunInsert);
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(33),
                                       test::ProcessingUpdate(67), "end"}));
    EXPECT_TRUE(test::Publishes(h.outcome, h.file()));
    EXPECT_TRUE(h.outcome.messages.empty());

    Harness empty;
    EXPECT_TRUE(empty.run(Lines{}, InsertSettings{"X", 0, "<", ">"}, RunInsert).empty());
    EXPECT_EQ(empty.progress.shown(), (Lines{test::kStartProcessing, "end"}));
}

TEST(DialogRuns, UnwritableResultsFileThrowsAfterTheProgressStarted) {
    RowList rows = Rows({"a"});
    test::RecordingProgress p;
    RunCounters c;
    test::TempDir dir;
    const std::string bad = dir.file("missing/Results.txt");
    EXPECT_THROW(RunInsert(rows, InsertSettings{}, bad, p, c), FileError);
    EXPECT_THROW(RunRemove(rows, ByKey(1, 1), bad, p, c), FileError);
    EXPECT_THROW(RunRemove(rows, ByPosition(1, 1), bad, p, c), FileError);
    ExtractSettings e;
    e.choice = ExtractChoice::ExtractWords;
    EXPECT_THROW(RunExtract(rows, e, bad, p, c), FileError);
}

TEST(Remove, ValidationMessagesInTheirOrder) {
    EXPECT_FALSE(ValidateRemove(ByPosition(1, 1)));
    EXPECT_EQ(ValidateRemove(ByPosition(3, 2)), kMsgRemovePositions);
    EXPECT_EQ(ValidateRemove(ByPosition(3, 2, true, "")), kMsgRemoveNeedsString);
    RemoveSettings key = ByKey(3, 2);
    key.onlyIfContains = true;
    EXPECT_EQ(ValidateRemove(key), kMsgRemoveNeedsString);  // checked in the by-key mode too
    EXPECT_FALSE(ValidateRemove(ByPosition(2, 2, true, " ")));
}

TEST(Remove, ByPosition) {
    const Lines rows{"abcd", "ab", "abxd", "", "aé€d"};
    EXPECT_EQ(Remove(rows, ByPosition(2, 3)), (Lines{"ad", "ab", "ad", "", "ad"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, false, "", true)), (Lines{"ad", "ab", "ad", "", "ad"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "bc")), (Lines{"ad", "ab", "abxd", "", "aé€d"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "bc", true)), (Lines{"ab", "abxd", "", "aé€d"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "é€", true)), (Lines{"abcd", "ab", "abxd", ""}));
    // The text must lie inside the range.
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "cd")), rows);
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "abcd")), rows);
    EXPECT_EQ(Remove(rows, ByPosition(4, 4)), (Lines{"abc", "ab", "abx", "", "aé€"}));
    EXPECT_EQ(Remove(rows, ByPosition(5, 9)), rows);
    EXPECT_EQ(Remove({"", ""}, ByPosition(1, 1)), (Lines{"", ""}));  // rows that hold no bytes at all
}

TEST(Remove, ByPositionReportsEveryRowDroppedOrNot) {
    Harness h;
    h.run(Lines{"abcd", "abcd", "x", "abcd"}, ByPosition(2, 3, true, "bc", true), RunRemove);
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(25),
                                       test::ProcessingUpdate(50), test::ProcessingUpdate(75), "end"}));
}

TEST(Remove, ByKeyRemovesEveryCopyOfASharedKey) {
    EXPECT_EQ(Remove({"ab1", "cd2", "ab3", "a"}, ByKey(1, 2)), (Lines{"cd2", "a"}));
    EXPECT_EQ(Remove({"x1", "y", "x2", "x3", "Y1"}, ByKey(1, 1)), (Lines{"y", "Y1"}));
    EXPECT_EQ(Remove({"ab", "abc", "ab"}, ByKey(1, 3)), (Lines{"ab", "abc", "ab"}));
    EXPECT_EQ(Remove({"only"}, ByKey(1, 2)), (Lines{"only"}));
    EXPECT_EQ(Remove({}, ByKey(1, 2)), Lines{});
    EXPECT_EQ(Remove({"é1", "é2", "e3"}, ByKey(1, 1)), (Lines{"e3"}));
    EXPECT_EQ(Remove({"", "", "a"}, ByKey(1, 1)), (Lines{"", "", "a"}));
}

TEST(Remove, ByKeyGivesThePairwiseWalksOutcome) {
    // The walk the dialog has always done, on random rows full of short, multi-byte and
    // invalid characters; the grouping by hash must keep exactly the same rows.
    auto walk = [](Lines items, int a, int b) {
        for (std::size_t i = 0; i + 1 < items.size();) {
            std::string key = test::CharSlice(items[i], a, b);
            bool found = false;
            for (std::size_t j = items.size() - 1; j > i; --j) {
                if (chars::Length(items[j]) >= b && test::CharSlice(items[j], a, b) == key) {
                    items.erase(items.begin() + static_cast<std::ptrdiff_t>(j));
                    found = true;
                }
            }
            if (found)
                items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            else
                ++i;
        }
        return items;
    };
    std::mt19937 rng(7);
    const std::vector<std::string> pieces{"a", "b", "é", "\xff", "\xe2\x82", "€", " "};
    for (int round = 0; round < 500; ++round) {
        // Few piece kinds make shared keys likely; up to 6 characters make keys long enough
        // (over 8 bytes) to be compared through their rows.
        const std::size_t kinds = 2 + rng() % (pieces.size() - 1);
        Lines rows(rng() % 30);
        for (auto& r : rows) {
            int len = static_cast<int>(rng() % 10);
            for (int k = 0; k < len; ++k) r += pieces[rng() % kinds];
        }
        int a = 1 + static_cast<int>(rng() % 3);
        int b = a + static_cast<int>(rng() % 6);
        std::vector<char> removed = RowsWithSharedKeys(Rows(rows), a, b);
        Lines kept;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!removed[i]) kept.push_back(rows[i]);
        ASSERT_EQ(kept, walk(rows, a, b)) << "round " << round;
    }
    // Enough rows to be shared out between threads: a row goes exactly when its key is shared.
    Lines rows(100000);
    std::map<std::string, int> keys;
    for (auto& r : rows) {
        r = rng() % 10 ? std::to_string(100000 + rng() % 150000) + pieces[rng() % pieces.size()] : "short";
        if (chars::Length(r) >= 6) ++keys[test::CharSlice(r, 1, 6)];
    }
    std::vector<char> removed = RowsWithSharedKeys(Rows(rows), 1, 6);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool shared = chars::Length(rows[i]) >= 6 && keys[test::CharSlice(rows[i], 1, 6)] > 1;
        ASSERT_EQ(removed[i] != 0, shared) << rows[i];
    }
}

TEST(Remove, ByKeyShowsOnlyTheStartText) {
    Harness h;
    h.run(Lines{"ab1", "ab2"}, ByKey(1, 2), RunRemove);
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, "end"}));
}

namespace {
ExtractSettings Choice(ExtractChoice c) {
    ExtractSettings s;
    s.choice = c;
    return s;
}
ExtractSettings Positions(int a, int b) {
    auto s = Choice(ExtractChoice::Positions);
    s.first = a;
    s.last = b;
    return s;
}
ExtractSettings StartsWith(std::string text, int count) {
    auto s = Choice(ExtractChoice::String);
    s.startText = std::move(text);
    s.count = count;
    return s;
}
ExtractSettings Between(std::string a, std::string b) {
    auto s = Choice(ExtractChoice::StringBetween);
    s.betweenStart = std::move(a);
    s.betweenEnd = std::move(b);
    return s;
}
ExtractSettings Exists(std::string text) {
    auto s = Choice(ExtractChoice::StrExists);
    s.existsText = std::move(text);
    return s;
}
ExtractSettings AtByte(std::string text, int pos) {
    auto s = Choice(ExtractChoice::StringByte);
    s.byteText = std::move(text);
    s.bytePosition = pos;
    return s;
}
ExtractSettings Opposite(ExtractSettings s) {
    s.opposite = true;
    return s;
}
}  // namespace

TEST(Extract, ValidationOfTheSelectedChoiceOnly) {
    EXPECT_EQ(ValidateExtract(Positions(2, 1)), kMsgExtractPositions);
    EXPECT_FALSE(ValidateExtract(Positions(2, 2)));
    EXPECT_EQ(ValidateExtract(StartsWith("", 3)), kMsgExtractString);
    EXPECT_EQ(ValidateExtract(StartsWith("a", 0)), kMsgExtractString);
    EXPECT_FALSE(ValidateExtract(StartsWith(" ", 1)));
    EXPECT_EQ(ValidateExtract(Exists("")), kMsgExtractExists);
    EXPECT_FALSE(ValidateExtract(Exists("  ")));
    EXPECT_EQ(ValidateExtract(AtByte("", 1)), kMsgExtractStringByte);
    EXPECT_FALSE(ValidateExtract(Between("", "")));
    EXPECT_FALSE(ValidateExtract(Choice(ExtractChoice::ExtractWords)));
    auto s = Choice(ExtractChoice::StrExists);  // other choices' fields are not looked at
    s.existsText = "x";
    s.first = 9;
    s.last = 1;
    EXPECT_FALSE(ValidateExtract(s));
}

TEST(Extract, ByPosition) {
    const Lines rows{"abcd", "", "abc", "ab", "aé€\xff"};
    EXPECT_EQ(Extract(rows, Positions(1, 1)), (Lines{"a", "a", "a", "a"}));
    EXPECT_EQ(Extract(rows, Positions(2, 3)), (Lines{"bc", "bc", "é€"}));
    EXPECT_EQ(Extract(rows, Positions(3, 4)), (Lines{"cd", "€\xff"}));
    EXPECT_EQ(Extract(rows, Positions(5, 9)), Lines{});
}

TEST(Extract, StartsWithAndCount) {
    const Lines rows{"xxabcdef", "abc", "nothing", "", "zé€abc"};
    EXPECT_EQ(Extract(rows, StartsWith("ab", 4)), (Lines{"abcd", "abc", "abc"}));
    EXPECT_EQ(Extract(rows, StartsWith("abc", 2)), (Lines{"ab", "ab", "ab"}));
    EXPECT_EQ(Extract(rows, StartsWith("é", 3)), (Lines{"é€a"}));
    EXPECT_EQ(Extract(rows, StartsWith(" ", 3)), Lines{});
    EXPECT_EQ(Extract(rows, Opposite(StartsWith("ab", 4))), (Lines{"nothing", ""}));
}

TEST(Extract, Between) {
    const Lines rows{"say [hello] now", "[a]b]", "no start", "[open", ""};
    EXPECT_EQ(Extract(rows, Between("[", "]")), (Lines{"[hello]", "[a]"}));
    EXPECT_EQ(Extract(rows, Between("[", "] ")), (Lines{"[hello]"}));  // only the end's first character
    EXPECT_EQ(Extract(rows, Between("[h", "h")), (Lines{"[h"}));              // end found inside the start
    EXPECT_EQ(Extract({"abcab c"}, Between("abc", "b")), (Lines{"ab"}));
    EXPECT_EQ(Extract(rows, Between("[", "€")), Lines{});
    EXPECT_EQ(Extract({"x€y€z"}, Between("€", "€")), (Lines{"€"}));
    EXPECT_EQ(Extract({"x€yéz"}, Between("€", "é")), (Lines{"€yé"}));
    EXPECT_EQ(Extract(rows, Between("", "]")), Lines{});
    EXPECT_EQ(Extract(rows, Between("[", "")), Lines{});
    EXPECT_EQ(Extract(rows, Opposite(Between("", ""))), rows);
    EXPECT_EQ(Extract(rows, Opposite(Between("[", "]"))), (Lines{"no start", "[open", ""}));
}

TEST(Extract, WholeRowsByContentAndByPosition) {
    const Lines rows{"a b", "", "xab", "abab", "éab", " ab"};
    EXPECT_EQ(Extract(rows, Exists("ab")), (Lines{"xab", "abab", "éab", " ab"}));
    EXPECT_EQ(Extract(rows, Opposite(Exists("ab"))), (Lines{"a b", ""}));
    EXPECT_EQ(Extract(rows, Exists(" ")), (Lines{"a b", " ab"}));
    EXPECT_EQ(Extract(rows, AtByte("ab", 2)), (Lines{"xab", "éab", " ab"}));
    EXPECT_EQ(Extract(rows, AtByte("ab", 1)), (Lines{"abab"}));
    EXPECT_EQ(Extract(rows, AtByte("ab", 3)), Lines{});  // a later occurrence does not count
    EXPECT_EQ(Extract({"xaxa"}, AtByte("a", 4)), Lines{});
    EXPECT_EQ(Extract({"xaxa"}, AtByte("a", 2)), (Lines{"xaxa"}));
    EXPECT_EQ(Extract(rows, Opposite(AtByte("ab", 2))), (Lines{"a b", "", "abab"}));
    EXPECT_EQ(Extract(rows, Choice(ExtractChoice::None)), Lines{});
    EXPECT_EQ(Extract(rows, Opposite(Choice(ExtractChoice::None))), rows);
}

TEST(Extract, OppositeSkipsTheProgressOfRejectedRows) {
    Harness h;
    h.run(Lines{"keep", "ab", "keep", "ab"}, Opposite(Exists("ab")), RunExtract);
    EXPECT_EQ(h.progress.shown(),
              (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(50), "end"}));
    Harness plain;
    plain.run(Lines{"x", "x", "x", "x"}, Exists("ab"), RunExtract);
    EXPECT_EQ(plain.progress.shown(), (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(25),
                                           test::ProcessingUpdate(50), test::ProcessingUpdate(75), "end"}));
}

TEST(Extract, WordsAreSplitBySpacesOnly) {
    Harness h;
    ExtractSettings words = Opposite(Choice(ExtractChoice::ExtractWords));  // the opposite plays no part
    Lines out = h.run(Lines{"  one  two\tthree ", "", "   ", "single", "\tlead  trail\t", "a\t b"}, words,
                      RunExtract);
    EXPECT_EQ(out, (Lines{"one", "two\tthree", "single", "lead", "trail", "a\t", "b"}));
    EXPECT_EQ(h.outcome.messages, (Lines{"The total words extracted is: 7"}));
    EXPECT_TRUE(test::Publishes(h.outcome, h.file()));
    // One update a word with its row's index; blank rows give none.
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(50),
                                       test::ProcessingUpdate(67), test::ProcessingUpdate(83), "end"}));

    Harness empty;
    EXPECT_TRUE(empty.run(Lines{}, Choice(ExtractChoice::ExtractWords), RunExtract).empty());
    EXPECT_EQ(empty.outcome.messages, (Lines{"The total words extracted is: 0"}));
}

TEST(Extract, WordsMatchTheTrimAndSplitWalk) {
    std::mt19937 rng(11);
    const std::vector<std::string> pieces{"a", "bc", " ", "  ", "\t", "\x01", "é", "defghijklm"};
    for (int round = 0; round < 300; ++round) {
        Lines rows(rng() % 8);
        for (auto& r : rows) {
            // Rows of every length around the 64-byte blocks the split works in.
            int len = static_cast<int>(rng() % (round % 3 == 0 ? 120 : 14));
            for (int k = 0; k < len; ++k) r += pieces[rng() % pieces.size()];
        }
        Harness h;
        Lines out = h.run(rows, Choice(ExtractChoice::ExtractWords), RunExtract);
        Lines expected = test::ReferenceWords(rows);
        ASSERT_EQ(out, expected) << "round " << round;
        ASSERT_EQ(h.outcome.messages, (Lines{"The total words extracted is: " + std::to_string(expected.size())}));
    }
}

TEST(Extract, WordsOfARowLargerThanTheOutputBlock) {
    // Every third word ends in a tab before its spaces; the tab stays with the word.
    std::string row = " ";
    Lines expected;
    for (int k = 0; row.size() < (std::size_t{5} << 20); ++k) {
        std::string word = std::string("w").append(std::to_string(k));
        if (k % 3 == 2) {
            row.append(word).append("\t   ");
            word += '\t';
        } else {
            row.append(word).append(" ");
        }
        expected.push_back(word);
    }
    if (expected.back().back() == '\t') expected.back().pop_back();  // trimmed with the row's end
    expected.push_back("x");
    expected.push_back("y");
    Harness h;
    EXPECT_EQ(h.run(Lines{row, "x y"}, Choice(ExtractChoice::ExtractWords), RunExtract), expected);
}
