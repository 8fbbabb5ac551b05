#include "gui/platform/QtText.h"

#include "core/platform/Chars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace rs;

namespace {
const std::string kEAcute = "\xC3\xA9";        // one character, two bytes, one UTF-16 unit
const std::string kClef = "\xF0\x9D\x84\x9E";  // one character, four bytes, two UTF-16 units
}  // namespace

TEST(RowToQString, OneCharacterPerUtf8CharacterAndPerInvalidByte) {
    struct Case {
        std::string row;
        bool wellFormed;
    };
    const std::vector<Case> cases = {
        {"", true},
        {"plain", true},
        {"caf" + kEAcute, true},
        {kClef + kClef, true},
        {std::string("nul\0inside", 10), true},
        {"a\xFF\xFE"
         "b",
         false},
        {"\xE2\x82", false},
        {"\xED\xA0\x80x", false},
        {"\xC3(", false},
        {"\xF0\x9D\x84", false},
    };
    for (const Case& c : cases) {
        QString q = RowToQString(c.row);
        EXPECT_EQ(CountCharacters(q), chars::Length(c.row)) << c.row;
        EXPECT_EQ(CountCharacters(RowToQString(c.row, 2)), std::min<std::int64_t>(2, chars::Length(c.row)))
            << c.row;
        EXPECT_EQ(q.toUtf8().toStdString() == c.row, c.wellFormed) << c.row;
    }
    EXPECT_EQ(RowToQString("a\xFF"
                           "b"),
              QString("a") + QChar(QChar::ReplacementCharacter) + "b");
}
