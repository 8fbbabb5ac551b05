#include "gui/workbench/Uposition.h"

#include "core/workbench/LoadInput.h"
#include "gui/platform/QtRowListModel.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RowEdit.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace rs;
using rs::test::Control;

namespace {

const std::string kEAcute = "\xC3\xA9";        // one character, two bytes, one UTF-16 unit
const std::string kClef = "\xF0\x9D\x84\x9E";  // one character, four bytes, two UTF-16 units

// Puts a row into the finder's edit box, moves the caret with keys and reads the readout.
QString ReadoutAfterKeys(TFrmPosition& finder, const std::string& row,
                         const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>& keys) {
    RowList rows;
    rows.append(row);
    finder.ShowLoad(&rows, row);
    auto* EdCurrent = Control<QLineEdit>(finder, "EdCurrent");
    EdCurrent->setFocus();
    for (auto [key, mods] : keys) QTest::keyClick(EdCurrent, key, mods);
    QString text = Control<QLabel>(finder, "LblPosition")->text();
    finder.ClearLoad();
    return text;
}

}  // namespace

TEST(PositionFinder, ReadoutCountsCharactersBeforeTheCaretOrSelection) {
    TFrmPosition finder;
    finder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finder));
    const auto none = Qt::NoModifier;
    const auto shift = Qt::ShiftModifier;
    struct Case {
        const char* name;
        std::string row;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        const char* readout;
    };
    const std::vector<Case> cases = {
        {"empty box", "", {{Qt::Key_End, none}}, "On byte 1.  Previous byte is #0"},
        {"caret at the start", "abcdefghij", {{Qt::Key_Home, none}}, "On byte 1.  Previous byte is #0"},
        {"caret after the last character",
         "abcdefghij",
         {{Qt::Key_End, none}},
         "On byte 11.  Previous byte is #10"},
        {"selection made right to left uses its left end",
         "abcdefghij",
         {{Qt::Key_End, none}, {Qt::Key_Left, shift}, {Qt::Key_Left, shift}, {Qt::Key_Left, shift}},
         "On byte 8.  Previous byte is #7"},
        {"selection made left to right uses its left end",
         "abcdefghij",
         {{Qt::Key_Home, none}, {Qt::Key_Right, none}, {Qt::Key_Right, shift}, {Qt::Key_Right, shift}},
         "On byte 2.  Previous byte is #1"},
        {"multi-byte character is one",
         "caf" + kEAcute + "!",
         {{Qt::Key_End, none}, {Qt::Key_Left, none}},
         "On byte 5.  Previous byte is #4"},
        {"character outside the BMP is one",
         "a" + kClef + "b",
         {{Qt::Key_End, none}, {Qt::Key_Left, none}},
         "On byte 3.  Previous byte is #2"},
        {"invalid bytes count one each",
         "a\xFF\xFE"
         "b",
         {{Qt::Key_End, none}},
         "On byte 5.  Previous byte is #4"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadoutAfterKeys(finder, c.row, c.keys), c.readout) << c.name;
}

TEST(PositionFinder, ClickShowsTheReadoutAndLoadLeavesItAlone) {
    TFrmPosition finder;
    auto* LblPosition = Control<QLabel>(finder, "LblPosition");
    auto* EdCurrent = Control<QLineEdit>(finder, "EdCurrent");
    EXPECT_EQ(finder.windowTitle(), "Byte position finder");
    EXPECT_EQ(finder.pos(), QPoint(761, 170));
    EXPECT_EQ(LblPosition->text(), "Current cursor position (not positioned yet)");
    finder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finder));

    RowList rows;
    rows.append("short");
    rows.append("the longest row");
    rows.append("also 15 chars!!");
    finder.ShowLoad(&rows, rows[1]);
    EXPECT_EQ(EdCurrent->text(), "the longest row");
    EXPECT_EQ(EdCurrent->cursorPosition(), 0);
    EXPECT_FALSE(EdCurrent->hasSelectedText());
    EXPECT_EQ(LblPosition->text(), "Current cursor position (not positioned yet)");

    QTest::mouseClick(EdCurrent, Qt::LeftButton, Qt::NoModifier, QPoint(2, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(LblPosition->text(), "On byte 1.  Previous byte is #0");

    // A new load keeps the old readout until the next click or key.
    EdCurrent->setFocus();
    QTest::keyClick(EdCurrent, Qt::Key_End);
    EXPECT_EQ(LblPosition->text(), "On byte 16.  Previous byte is #15");
    RowList empty;
    finder.ShowLoad(&empty, "");
    EXPECT_EQ(LblPosition->text(), "On byte 16.  Previous byte is #15");
    EXPECT_EQ(EdCurrent->text(), "");
    EXPECT_EQ(Control<QAbstractItemView>(finder, "ListBox1")->model()->rowCount(), 0);

    // Closing only hides it.
    finder.close();
    EXPECT_TRUE(finder.isHidden());
    EXPECT_EQ(LblPosition->text(), "On byte 16.  Previous byte is #15");
}

TEST(PositionFinder, ShowsAMillionRowsWithoutMakingTheirTexts) {
    RowList rows;
    for (int i = 0; i < 1000000; ++i) rows.append("row " + std::to_string(i + 1));
    TFrmPosition finder;
    finder.ShowLoad(&rows, rows[0]);
    finder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finder));
    QAbstractItemView* list = Control<QAbstractItemView>(finder, "ListBox1");
    QCoreApplication::processEvents();
    list->scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_EQ(list->model()->rowCount(), 1000000);
    EXPECT_EQ(list->model()->index(999999, 0).data().toString(), "row 1000000");
    EXPECT_TRUE(list->indexAt(QPoint(5, 2)).row() > 999000);
    EXPECT_LT(finder.rowModel()->textsMade(), 1000u);
}

TEST(PositionFinder, ChoosingARowPutsTheWholeRowIntoTheEditBox) {
    std::string longRow;
    for (int i = 0; i < 50000; ++i) longRow += (i % 7 == 0) ? kEAcute : "a";
    longRow += std::string(50000, 'b');  // 100,000 characters
    RowList rows;
    rows.append("first");
    rows.append(longRow);
    rows.append("");
    rows.append(std::string(kRowEditChars + 5, 'c'));  // longer than the boxes show
    TFrmPosition finder;
    auto* EdCurrent = Control<QLineEdit>(finder, "EdCurrent");
    finder.ShowLoad(&rows, rows[1]);
    finder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finder));
    QAbstractItemView* list = Control<QAbstractItemView>(finder, "ListBox1");

    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(EdCurrent->text(), "first");

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    const QString shown = EdCurrent->text();
    EXPECT_EQ(shown.size(), 100000);
    EXPECT_EQ(shown.toUtf8().toStdString(), longRow);
    EXPECT_EQ(list->model()->index(1, 0).data().toString().size(), QtRowListModel::kMaxShownChars);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(EdCurrent->text(), "");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(EdCurrent->text(), QString(kRowEditChars, QLatin1Char('c')));
}

TEST(PositionFinder, ShowsAFileOfAwkwardBytes) {
    test::TempDir dir;
    std::string path = dir.file("bad.txt");
    test::WriteBytes(path, std::string("ok\r\n\xFF\xFE bad\r\nnul\0here\r\nend\x1Agone\r\n", 32));
    NullProgress progress;
    RunCounters counters;
    RowList rows;
    LoadResult r = LoadInputFile(path, rows, progress, counters);
    TFrmPosition finder;
    finder.ShowLoad(&rows, r.longestText);
    finder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finder));
    QAbstractItemModel* model = Control<QAbstractItemView>(finder, "ListBox1")->model();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(3, 0).data().toString(), "end");
    EXPECT_EQ(Control<QLineEdit>(finder, "EdCurrent")->text().size(), 8);  // "nul\0here"
    EXPECT_EQ(CountCharacters(model->index(1, 0).data().toString()), 6);
}
