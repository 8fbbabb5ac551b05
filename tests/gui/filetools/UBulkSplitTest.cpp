#include "gui/filetools/UBulkSplit.h"

#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace rs;
using rs::test::Control;
using rs::test::ReadBytes;
using rs::test::WriteBytes;

TEST(FileToolsWindows, SplitStartsFreshAndOpensTheFolder) {
    test::WorkScope w;
    auto form = std::make_unique<TFrmBulkSplit>();
    EXPECT_EQ(Control<QSpinBox>(*form, "Spin1")->value(), 1);
    EXPECT_EQ(Control<QSpinBox>(*form, "Spin2")->value(), 5);
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBox1")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(*form, "ChkFix")->isChecked());
    EXPECT_TRUE(Control<QLabel>(*form, "LblFile")->text().isEmpty());
    EXPECT_TRUE(Control<QPushButton>(*form, "BitBtn1")->isDefault());

    QTest::mouseClick(Control<QPushButton>(*form, "CmdCreate"), Qt::LeftButton);
    ASSERT_EQ(w.doubles.dialogs.messages.size(), 1u);
    EXPECT_NE(w.doubles.dialogs.messages[0].text.find("Use the \"Select\" button"), std::string::npos);

    WriteBytes(w.dir.file("list.txt"), "AA1\nAA2\n\nBB1\nAA3\n");
    w.doubles.dialogs.fileAnswers = {w.dir.file("list.txt")};
    QTest::mouseClick(Control<QPushButton>(*form, "CmdAdd"), Qt::LeftButton);
    EXPECT_EQ(Control<QLabel>(*form, "LblFile")->text(), ToQString(w.dir.file("list.txt")));

    Control<QSpinBox>(*form, "Spin1")->setValue(3);
    Control<QSpinBox>(*form, "Spin2")->setValue(2);
    QTest::mouseClick(Control<QPushButton>(*form, "CmdCreate"), Qt::LeftButton);
    EXPECT_EQ(w.doubles.dialogs.messages.back().text,
              "Your starting position cannot be larger then your ending position.");

    Control<QSpinBox>(*form, "Spin1")->setValue(1);
    w.doubles.shell.result = ShellResult::Failed;
    QTest::mouseClick(Control<QPushButton>(*form, "CmdCreate"), Qt::LeftButton);
    EXPECT_EQ(ReadBytes(w.dir.file("File3 AA.txt")), "AA3\r\n");
    EXPECT_EQ(w.doubles.shell.folders, std::vector<std::string>{w.dir.path() + "/"});
    const auto texts = w.doubles.dialogs.texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2], "Your files are located at: " + w.dir.path() + "/");
    EXPECT_EQ(
        texts[3],
        "Total Lines Read: 5    Total Files Written: 3    Total rows written: 4     Total rows skipped: 1");

    // Pressing a mode box unchecks the others; the click then toggles the pressed one.
    QTest::mouseClick(Control<QCheckBox>(*form, "ChkFix"), Qt::LeftButton);
    EXPECT_FALSE(Control<QCheckBox>(*form, "ChkFix")->isChecked());

    // A new dialog forgets the last use.
    form = std::make_unique<TFrmBulkSplit>();
    EXPECT_TRUE(Control<QLabel>(*form, "LblFile")->text().isEmpty());
    EXPECT_EQ(Control<QSpinBox>(*form, "Spin2")->value(), 5);
}

TEST(FileToolsWindows, SpinEditsReadAsTypedAndBringOutOfBoundsValuesToTheNearerBound) {
    test::WorkScope w;
    auto form = std::make_unique<TFrmBulkSplit>();
    auto* Spin1 = Control<QSpinBox>(*form, "Spin1");
    form->show();
    WriteBytes(w.dir.file("list.txt"), "AA1\nAB2\n");
    w.doubles.dialogs.fileAnswers = {w.dir.file("list.txt")};
    QTest::mouseClick(Control<QPushButton>(*form, "CmdAdd"), Qt::LeftButton);
    // An emptied box reads as its minimum: a key of one character.
    Control<QSpinBox>(*form, "Spin2")->findChild<QLineEdit*>()->clear();
    QTest::mouseClick(Control<QPushButton>(*form, "CmdCreate"), Qt::LeftButton);
    EXPECT_EQ(ReadBytes(w.dir.file("File1 A.txt")), "AA1\r\nAB2\r\n");

    // "30000" in a box of 1 to 25000 is kept while typed and becomes 25000 on leaving the box.
    QLineEdit* edit = Spin1->findChild<QLineEdit*>();
    Spin1->setFocus();
    edit->selectAll();
    QTest::keyClicks(Spin1, "30000");
    EXPECT_EQ(edit->text(), "30000");
    EXPECT_EQ(SpinValue(Spin1), 25000);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Spin1, &focusOut);
    EXPECT_EQ(Spin1->value(), 25000);
    EXPECT_EQ(edit->text(), "25000");
}
