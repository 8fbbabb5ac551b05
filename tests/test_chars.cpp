#include "core/platform/Chars.h"
#include "core/platform/DirSearch.h"

#include <gtest/gtest.h>

using namespace rs;
using namespace rs::chars;

// "é" is two bytes, "€" three, "😀" four; 0xFF is an invalid byte counting as one character.
static const std::string kMixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz";

TEST(Chars, LengthCountsCodePointsAndInvalidBytes) {
    EXPECT_EQ(Length(""), 0);
    EXPECT_EQ(Length("abc"), 3);
    EXPECT_EQ(Length(kMixed), 6);
    EXPECT_EQ(Length("\xC3"), 1);             // truncated sequence
    EXPECT_EQ(Length("\xC0\x80"), 2);         // overlong form is not a character
    EXPECT_EQ(Length("\xED\xA0\x80"), 3);     // surrogate half
    EXPECT_EQ(Length("\xF4\x90\x80\x80"), 4); // beyond U+10FFFF
    EXPECT_EQ(Length(std::string(100, 'x') + "\xC3\xA9"), 101);
}

TEST(Chars, CopyNeverCutsACharacter) {
    EXPECT_EQ(Copy(kMixed, 2, 2), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Copy(kMixed, 4, 1), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Copy(kMixed, 5, 5), "\xFFz");
    EXPECT_EQ(Copy(kMixed, 7, 1), "");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", -3, 2), "ab");
    EXPECT_EQ(Copy("abc", 2, 0), "");
    EXPECT_EQ(Copy("abc", 2, -1), "");
}

TEST(Chars, DeleteAndInsertByCharacterPosition) {
    std::string s = kMixed;
    Delete(s, 2, 2);
    EXPECT_EQ(s, "a\xF0\x9F\x98\x80\xFFz");
    s = "abc";
    Delete(s, 0, 2);
    EXPECT_EQ(s, "abc");
    Delete(s, 4, 1);
    EXPECT_EQ(s, "abc");
    Delete(s, 2, 99);
    EXPECT_EQ(s, "a");

    s = "\xC3\xA9\xC3\xA9";
    Insert(s, "-", 2);
    EXPECT_EQ(s, "\xC3\xA9-\xC3\xA9");
    Insert(s, "<", 0);
    Insert(s, ">", 99);
    EXPECT_EQ(s, "<\xC3\xA9-\xC3\xA9>");
}

TEST(Chars, PosReturnsCharacterPositions) {
    EXPECT_EQ(Pos("z", kMixed), 6);
    EXPECT_EQ(Pos("\xE2\x82\xAC", kMixed), 3);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("b", "abcb", 3), 4);
    EXPECT_EQ(Pos("b", "abcb", 5), 0);
    EXPECT_EQ(Pos("B", "abc"), 0);  // case matters
}

TEST(Chars, TrimAndCase) {
    EXPECT_EQ(Trim(" \t\x01x y\x1F \r"), "x y");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x \t"), "  x");
    EXPECT_TRUE(IsBlank(" \t "));
    EXPECT_FALSE(IsBlank(" \xC2\xA0 "));  // a no-break space is not 32 or below
    EXPECT_EQ(Upper("abc\xC3\xA9xyz"), "ABC\xC3\xA9XYZ");
    EXPECT_EQ(Lower("ABC\xC3\x89XYZ"), "abc\xC3\x89xyz");
}

TEST(DirSearch, WildcardsIgnoreCase) {
    EXPECT_TRUE(WildcardMatch("*.*", "noext"));
    EXPECT_TRUE(WildcardMatch("*.txt", "A.TXT"));
    EXPECT_TRUE(WildcardMatch("*.TxT", "b.txt"));
    EXPECT_FALSE(WildcardMatch("*.txt", "a.txt.bak"));
    EXPECT_TRUE(WildcardMatch("f?le*.csv", "File12.CSV"));
    EXPECT_FALSE(WildcardMatch("f?le.csv", "fle.csv"));
}
