#include "core/workbench/ExtractLogic.h"

#include "tests/support/DialogRun.h"
#include "tests/support/Reference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace rs;
using rs::test::Lines;

namespace {

Lines Extract(const Lines& rows, const ExtractSettings& s) {
    test::DialogRun h;
    return h.run(rows, s, RunExtract);
}

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
    EXPECT_EQ(Extract(rows, Between("[h", "h")), (Lines{"[h"}));       // end found inside the start
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
    test::DialogRun h;
    h.run(Lines{"keep", "ab", "keep", "ab"}, Opposite(Exists("ab")), RunExtract);
    EXPECT_EQ(h.progress.shown(),
              (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(50), "end"}));
    test::DialogRun plain;
    plain.run(Lines{"x", "x", "x", "x"}, Exists("ab"), RunExtract);
    EXPECT_EQ(plain.progress.shown(),
              (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(25),
                     test::ProcessingUpdate(50), test::ProcessingUpdate(75), "end"}));
}

TEST(Extract, WordsAreSplitBySpacesOnly) {
    test::DialogRun h;
    ExtractSettings words = Opposite(Choice(ExtractChoice::ExtractWords));  // the opposite plays no part
    Lines out = h.run(Lines{"  one  two\tthree ", "", "   ", "single", "\tlead  trail\t", "a\t b"}, words,
                      RunExtract);
    EXPECT_EQ(out, (Lines{"one", "two\tthree", "single", "lead", "trail", "a\t", "b"}));
    EXPECT_EQ(h.outcome.messages, (Lines{"The total words extracted is: 7"}));
    EXPECT_TRUE(test::Publishes(h.outcome, h.file()));
    // One update a word with its row's index; blank rows give none.
    EXPECT_EQ(h.progress.shown(),
              (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(50),
                     test::ProcessingUpdate(67), test::ProcessingUpdate(83), "end"}));

    test::DialogRun empty;
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
        test::DialogRun h;
        Lines out = h.run(rows, Choice(ExtractChoice::ExtractWords), RunExtract);
        Lines expected = test::ReferenceWords(rows);
        ASSERT_EQ(out, expected) << "round " << round;
        ASSERT_EQ(h.outcome.messages,
                  (Lines{"The total words extracted is: " + std::to_string(expected.size())}));
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
    test::DialogRun h;
    EXPECT_EQ(h.run(Lines{row, "x y"}, Choice(ExtractChoice::ExtractWords), RunExtract), expected);
}
