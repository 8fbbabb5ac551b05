#include "core/workbench/NumberParse.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace rs;

TEST(ParseNumber, Syntax) {
    struct Case {
        const char* text;
        bool ok;
        long double value;
    } cases[] = {
        {"12", true, 12},      {"  -12  ", true, -12}, {"+5", true, 5},       {"5.", true, 5},
        {".5", true, 0.5L},    {".", true, 0},         {"+.", true, 0},       {"-.25", true, -0.25L},
        {"1e3", true, 1000},   {"1.5E+2", true, 150},  {"25e-1", true, 2.5L}, {"007.50", true, 7.5L},
        {"0e999999", true, 0}, {"1e-99999", true, 0},  {"0.1", true, 0.1L},   {"", false, 0},
        {" ", false, 0},       {"+", false, 0},        {"-", false, 0},       {"e5", false, 0},
        {"1e", false, 0},      {"1e+", false, 0},      {"1 e5", false, 0},    {"1,000", false, 0},
        {"1 000", false, 0},   {"0x10", false, 0},     {"inf", false, 0},     {"nan", false, 0},
        {"5-", false, 0},      {"--5", false, 0},      {"12abc", false, 0},   {"\t5", false, 0},
        {"5\t", false, 0},     {"1e99999", false, 0},  {"1.2.3", false, 0},
    };
    for (auto& c : cases) {
        long double v = -1;
        EXPECT_EQ(ParseNumber(c.text, '.', v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    long double v;
    ASSERT_TRUE(ParseNumber("-0", '.', v));
    EXPECT_TRUE(std::signbit(v));
}

TEST(ParseNumber, RoundsCorrectlyBeyondTheFastPath) {
    struct Case {
        const char* text;
        long double value;
    } cases[] = {
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"0.000000000000000000000000000000123", 0.000000000000000000000000000000123L},
        {"1.18973149535723176502e4932", 1.18973149535723176502e4932L},
        {"3.14159265358979323846264338327950288", 3.14159265358979323846264338327950288L},
        {"1e28", 1e28L},
        {"123e-30", 123e-30L},
    };
    for (auto& c : cases) {
        long double v = 0;
        ASSERT_TRUE(ParseNumber(c.text, '.', v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST(ParseNumber, RegionalSeparator) {
    long double v = 0;
    EXPECT_TRUE(ParseNumber("1,5", ',', v));
    EXPECT_EQ(v, 1.5L);
    EXPECT_TRUE(ParseNumber(",", ',', v));
    EXPECT_FALSE(ParseNumber("1.5", ',', v));
}

TEST(FormatTotal, FifteenSignificantDigitsGeneralFormat) {
    struct Case {
        long double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {1232.25L, "1232.25"},
        {-2.5L, "-2.5"},
        {1e14L, "100000000000000"},
        {999999999999999.0L, "999999999999999"},
        {999999999999999.9L, "1E15"},
        {1e15L, "1E15"},
        {1e100L, "1E100"},
        {123456789012345678.0L, "1.23456789012346E17"},
        {0.0001L, "0.0001"},
        {0.00009L, "9E-5"},
        {0.000099999999999999999L, "0.0001"},
        {1.5e-7L, "1.5E-7"},
        {-1.5e-7L, "-1.5E-7"},
        {0.1L + 0.2L, "0.3"},
        {2.0L / 3.0L, "0.666666666666667"},
        {1e-4000L, "1E-4000"},
    };
    for (auto& c : cases) EXPECT_EQ(FormatTotal(c.value, '.'), c.text) << static_cast<double>(c.value);
    EXPECT_EQ(FormatTotal(12.5L, ','), "12,5");
    EXPECT_EQ(FormatTotal(1.5e-7L, ','), "1,5E-7");
    EXPECT_EQ(FormatTotal(0.0001L, ','), "0,0001");
}
