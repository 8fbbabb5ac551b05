#include "gui/workbench/RowEdit.h"

#include "gui/platform/QtText.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>

using namespace rs;

namespace {
const std::string kClef = "\xF0\x9D\x84\x9E";  // one character, four bytes, two UTF-16 units
}  // namespace

TEST(PositionFinder, HiddenReadoutIsNotIncreased) {
    QLineEdit edit;
    PrepareRowEdit(&edit);
    edit.setText(RowToQString("x" + kClef + "yz"));
    edit.setCursorPosition(3);  // after the pair of UTF-16 units
    EXPECT_EQ(HiddenPositionReadout(&edit), "Current position is immediately after byte #2");
    EXPECT_EQ(PositionReadout(&edit), "On byte 3.  Previous byte is #2");
}
