#include "core/platform/Chars.h"

#include <gtest/gtest.h>

#include <optional>

using namespace rs;
using namespace rs::chars;

// "é" is two bytes, "€" three, "😀" four; 0xFF is an invalid byte counting as one character.
static const std::string kMixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz";

TEST(Chars, LengthCountsCodePointsAndInvalidBytes) {
    EXPECT_EQ(Length(""), 0);
    EXPECT_EQ(Length("abc"), 3);
    EXPECT_EQ(Length(kMixed), 6);
    EXPECT_EQ(Length("\xC3"), 1);              // truncated sequence
    EXPECT_EQ(Length("\xC0\x80"), 2);          // overlong form is not a character
    EXPECT_EQ(Length("\xED\xA0\x80"), 3);      // surrogate half
    EXPECT_EQ(Length("\xF4\x90\x80\x80"), 4);  // beyond U+10FFFF
    EXPECT_EQ(Length(std::string(100, 'x') + "\xC3\xA9"), 101);
}

// The bytes of a span of row, or "-" for no span.
static std::string Part(const std::optional<ByteSpan>& span, std::string_view row = kMixed) {
    return span ? std::string(span->of(row)) : "-";
}

TEST(Chars, OffsetsAndSpansNeverCutACharacter) {
    EXPECT_EQ(OffsetAfter(kMixed, 0), 0u);
    EXPECT_EQ(OffsetAfter(kMixed, 2), 3u);
    EXPECT_EQ(OffsetAfter(kMixed, 6), kMixed.size());
    EXPECT_EQ(OffsetAfter(kMixed, 7), npos);
    EXPECT_EQ(OffsetAfter(std::string(20, 'x') + "\xC3\xA9x", 21), 22u);  // past the ASCII start

    EXPECT_EQ(Part(CharSpan(kMixed, 2, 3)), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Part(CharSpan(kMixed, 4, 4)), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Part(CharSpan(kMixed, 5, 6)), "\xFFz");
    EXPECT_EQ(Part(CharSpan(kMixed, 5, 7)), "-");  // the row is one character short
    EXPECT_EQ(Part(CharSpan(kMixed, 0, 2)), "-");
    EXPECT_EQ(Part(CharSpan(kMixed, 3, 2)), "-");
    EXPECT_EQ(Part(CharSpan("abcdef", 3, 4), "abcdef"), "cd");
    EXPECT_EQ(Part(CharSpan("ab", 1, 3), "ab"), "-");

    EXPECT_EQ(Part(ClippedSpan(kMixed, 5, 9)), "\xFFz");
    EXPECT_EQ(Part(ClippedSpan(kMixed, -3, 2)), "a\xC3\xA9");
    EXPECT_EQ(Part(ClippedSpan(kMixed, 7, 9)), "");
    EXPECT_EQ(Part(ClippedSpan(kMixed, 3, 2)), "");
}

TEST(Chars, TrimAndCase) {
    EXPECT_EQ(Trim(" \t\x01x y\x1F \r"), "x y");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x \t"), "  x");
    EXPECT_TRUE(IsBlank(" \t "));
    EXPECT_FALSE(IsBlank(" \xC2\xA0 "));  // a no-break space is not 32 or below
    EXPECT_EQ(Upper("abc\xC3\xA9xyz"), "ABC\xC3\xA9XYZ");
}
