#include "core/workbench/AppState.h"
#include "gui/filetools/UBulkSplit.h"
#include "gui/filetools/UCombineFile.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/UResults.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace rs;
using rs::test::Control;
using rs::test::DoublesScope;
using rs::test::ReadBytes;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

// The shared windows and a temporary work folder, as start-up would leave them.
struct WorkScope {
    WorkScope() {
        appState().WorkFolder = dir.path();
        appState().ResultsFileName = dir.file("Results.txt");
        if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
        if (!FrmResults) FrmResults = new TFrmResults;
    }
    TempDir dir;
    DoublesScope doubles;
};

}  // namespace

TEST(FileToolsWindows, BulkInsertChecksThenCopiesTheWorkFolder) {
    WorkScope w;
    WriteBytes(w.dir.file("a.txt"), "x\nKEY\n");
    WriteBytes(w.dir.file("b.csv"), "KEY\n");
    TFrmManyFiles form;
    auto* BitBtn1 = Control<QPushButton>(form, "BitBtn1");
    EXPECT_EQ(form.windowTitle(), "Insert into many files");
    Control<QLabel>(form, "LblFolder")->setText(ToQString(appState().WorkFolder + "/"));

    QTest::mouseClick(BitBtn1, Qt::LeftButton);
    ASSERT_EQ(w.doubles.dialogs.messages.size(), 1u);
    EXPECT_NE(w.doubles.dialogs.messages[0].text.find("key string cannot be empty"), std::string::npos);

    Control<QLineEdit>(form, "EdKey")->setText("KEY");
    Control<QPlainTextEdit>(form, "MemoText")->setPlainText("one\ntwo\n");
    Control<QCheckBox>(form, "ChkBefore")->setChecked(true);
    Control<QLineEdit>(form, "EdExt")->setText("TXT");
    QTest::mouseClick(BitBtn1, Qt::LeftButton);
    ASSERT_EQ(w.doubles.dialogs.messages.size(), 2u);
    EXPECT_NE(
        w.doubles.dialogs.messages[1].text.find("files found were: 1  The total \"Before\" situations found "
                                                "were: 2  The total \"After\" situations found were: 0)"),
        std::string::npos);
    EXPECT_EQ(ReadBytes(w.dir.file("new_a.txt")), "x\r\none\r\ntwo\r\nKEY\r\n");
    EXPECT_FALSE(std::filesystem::exists(w.dir.file("new_b.csv")));
    EXPECT_FALSE(FrmProgressWindow->isVisible());
}

TEST(FileToolsWindows, CombineListsFilesAndReports) {
    WorkScope w;
    WriteBytes(w.dir.file("a.txt"), "a1\na2");
    WriteBytes(w.dir.file("b.txt"), "b1\n");
    WriteBytes(w.dir.file("c.txt"), "c1\n");
    TFrmCombineFile form;
    auto* CmdCombine = Control<QPushButton>(form, "CmdCombine");
    auto* CmdAdd = Control<QPushButton>(form, "CmdAdd");
    auto* ListBox1 = Control<QListWidget>(form, "ListBox1");

    QTest::mouseClick(CmdCombine, Qt::LeftButton);  // an empty list does nothing at all
    EXPECT_FALSE(std::filesystem::exists(appState().ResultsFileName));
    EXPECT_TRUE(w.doubles.shell.opened.empty());

    w.doubles.dialogs.fileAnswers = {w.dir.file("a.txt"), w.dir.file("b.txt"), w.dir.file("c.txt"), ""};
    for (int i = 0; i < 4; ++i) QTest::mouseClick(CmdAdd, Qt::LeftButton);
    EXPECT_EQ(w.doubles.dialogs.fileFilters[0], "All (*.*)|*.*|");
    ASSERT_EQ(ListBox1->count(), 3);
    EXPECT_EQ(ListBox1->currentRow(), 2);
    EXPECT_EQ(Control<QLabel>(form, "LblStatus")->text(),
              "File added. Click \"Add\" to add another file to your list.");

    ListBox1->setCurrentRow(1);
    QTest::mouseClick(Control<QPushButton>(form, "CmdRem"), Qt::LeftButton);
    ASSERT_EQ(ListBox1->count(), 2);
    EXPECT_EQ(ListBox1->item(1)->text(), ToQString(w.dir.file("c.txt")));
    EXPECT_EQ(ListBox1->currentRow(), 0);

    w.doubles.shell.result = ShellResult::Failed;
    QTest::mouseClick(CmdCombine, Qt::LeftButton);
    EXPECT_EQ(ReadBytes(appState().ResultsFileName), "a1\r\na2\r\nc1\r\n");
    EXPECT_EQ(FrmResults->lines(),
              (QStringList{"Read 2 lines from " + ToQString(w.dir.file("a.txt")),
                           "Read 1 lines from " + ToQString(w.dir.file("c.txt")), " ",
                           "Total Files Read    : 2", "Total Lines Read    : 3", "Total Lines Written : 3"}));
    EXPECT_TRUE(FrmResults->isVisible());
    EXPECT_EQ(w.doubles.shell.opened, std::vector<std::string>{appState().ResultsFileName});
    EXPECT_EQ(w.doubles.dialogs.texts(),
              std::vector<std::string>{"The new file has been created : " + appState().ResultsFileName});
    FrmResults->close();

    // The results file itself in the list is refused before it is emptied.
    w.doubles.dialogs.fileAnswers = {appState().ResultsFileName};
    QTest::mouseClick(CmdAdd, Qt::LeftButton);
    QTest::mouseClick(CmdCombine, Qt::LeftButton);
    EXPECT_EQ(ReadBytes(appState().ResultsFileName), "a1\r\na2\r\nc1\r\n");
    EXPECT_FALSE(FrmResults->isVisible());
    EXPECT_EQ(w.doubles.shell.opened.size(), 1u);

    // A listed file that is gone: an error box, no report, nothing opened.
    ListBox1->clear();
    w.doubles.dialogs.fileAnswers = {w.dir.file("gone.txt")};
    QTest::mouseClick(CmdAdd, Qt::LeftButton);
    QTest::mouseClick(CmdCombine, Qt::LeftButton);
    EXPECT_EQ(w.doubles.dialogs.messages.back().kind, MsgKind::Error);
    EXPECT_FALSE(FrmResults->isVisible());
    EXPECT_EQ(ListBox1->count(), 1);
}

TEST(FileToolsWindows, SplitStartsFreshAndOpensTheFolder) {
    WorkScope w;
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
    EXPECT_EQ(texts[3],
              "Total Lines Read: 5    Total Files Written: 3    Total rows written: 4     Total rows "
              "skipped: 1");

    // Pressing a mode box unchecks the others; the click then toggles the pressed one.
    QTest::mouseClick(Control<QCheckBox>(*form, "ChkFix"), Qt::LeftButton);
    EXPECT_FALSE(Control<QCheckBox>(*form, "ChkFix")->isChecked());

    // A new dialog forgets the last use.
    form = std::make_unique<TFrmBulkSplit>();
    EXPECT_TRUE(Control<QLabel>(*form, "LblFile")->text().isEmpty());
    EXPECT_EQ(Control<QSpinBox>(*form, "Spin2")->value(), 5);
}

TEST(FileToolsWindows, SpinEditsReadAsTypedAndBringOutOfBoundsValuesToTheNearerBound) {
    WorkScope w;
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
