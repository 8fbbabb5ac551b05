#include "gui/filetools/UCombineFile.h"

#include "core/workbench/AppState.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/UResults.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace rs;
using rs::test::Control;
using rs::test::ReadBytes;
using rs::test::WriteBytes;

TEST(FileToolsWindows, CombineListsFilesAndReports) {
    test::WorkScope w;
    if (!FrmResults) FrmResults = new TFrmResults;
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
