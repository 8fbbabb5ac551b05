#include "gui/workbench/UFirst.h"

#include "core/workbench/AppState.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/OperationList.h"
#include "gui/platform/QtRowListModel.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/Workbench.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace rs;
using rs::test::Click;
using rs::test::Control;
using rs::test::ListRows;
using rs::test::SetSpinText;
using rs::test::Workbench;

// Each test gets its own application-data folder and fresh doubles, and makes its own window.
using MainWindowTest = rs::test::FreshHome;

namespace {
const char* const kNoInput =
    "You must select a text file or paste some text into this application using the buttons at the top. (Note also that your input file will never be altered or changed in any way, as a new file is simply created for you).";

QStringList Items(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

QStringList FinderShows() {
    QStringList rows;
    QtRowListModel* m = FrmPosition->rowModel();
    for (int i = 0; i < m->rowCount(); ++i) rows << m->data(m->index(i), Qt::DisplayRole).toString();
    return rows;
}
}  // namespace

TEST_F(MainWindowTest, StartUpPreparesWorkFolderAndOperationList) {
    TFrmFirst first;
    auto* ListOptions = Control<QListWidget>(first, "ListOptions");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "/Rowsmith"));
    EXPECT_EQ(appState().WorkFolder, home.path() + "/Rowsmith");
    EXPECT_EQ(appState().ResultsFileName, home.path() + "/Rowsmith/Results.txt");
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_TRUE(Control<QCheckBox>(first, "Chkposition")->isChecked());

    // Shown order, by number in the order of adding.
    const int shown[] = {21, 19, 22, 5, 6, 14, 18, 12, 9, 4, 15, 10, 1, 2, 20, 13, 3, 16, 17, 11, 7, 8};
    QStringList expected;
    for (int n : shown) expected << QString::fromStdString(kOperationEntries[n - 1]);
    EXPECT_EQ(Items(ListOptions), expected);
    EXPECT_EQ(ListOptions->currentRow(), 0);
    EXPECT_EQ(ListOptions->currentItem()->text(), "BULK COMBINE   - Bulk - Combine many files into 1 file");
    EXPECT_EQ(first.windowTitle(), "Rowsmith");
    EXPECT_FALSE(Control<QLabel>(first, "LblFileName")->isVisibleTo(&first));
    EXPECT_FALSE(Control<QGroupBox>(first, "GroupBox2")->isVisibleTo(&first));
    EXPECT_FALSE(Control<QListWidget>(first, "ListBox1")->isVisibleTo(&first));
    EXPECT_EQ(Control<QPushButton>(first, "CmdPaste")->icon().cacheKey() != 0, true);

    // A second start finds the folder and says nothing.
    TFrmFirst again;
    EXPECT_TRUE(doubles.dialogs.messages.empty());
}

TEST_F(MainWindowTest, WorkFolderThatCannotBeMadeWarnsAndStartUpGoesOn) {
    test::WriteBytes(home.file("Rowsmith"), "a file in the way");
    TFrmFirst first;
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Warning);
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Warning");
    EXPECT_NE(doubles.dialogs.messages[0].text.find("\"Run as Admin\""), std::string::npos);
    EXPECT_EQ(Control<QListWidget>(first, "ListOptions")->count(), 22);
}

TEST_F(MainWindowTest, EnterOnTheOperationListPressesExit) {
    TFrmFirst first;
    auto* ListOptions = Control<QListWidget>(first, "ListOptions");
    first.show();
    QSignalSpy exitClicks(Control<QPushButton>(first, "BitBtn2"), &QPushButton::clicked);
    ListOptions->setFocus();
    QTest::keyClick(ListOptions, Qt::Key_Return);
    EXPECT_EQ(exitClicks.count(), 1);
    EXPECT_FALSE(first.isVisible());

    // A focused button takes Enter for itself.
    TFrmFirst second;
    auto* CmdClear = Control<QPushButton>(second, "CmdClear");
    second.show();
    QSignalSpy exit2(Control<QPushButton>(second, "BitBtn2"), &QPushButton::clicked);
    CmdClear->setFocus();
    QTest::keyClick(CmdClear, Qt::Key_Return);
    EXPECT_EQ(exit2.count(), 0);
}

TEST_F(Workbench, EveryEntryButFourNeedsAnInput) {
    auto* LblMsg = Control<QLabel>(*first, "LblMsg");
    LblMsg->setText("old status");
    int refused = 0;
    for (const auto& entry : kOperationEntries) {
        if (!EntryNeedsInput(entry)) continue;
        doubles.dialogs.messages.clear();
        Run(entry);
        ASSERT_EQ(doubles.dialogs.texts(), std::vector<std::string>{kNoInput}) << entry;
        EXPECT_TRUE(LblMsg->text().isEmpty());
        ++refused;
    }
    EXPECT_EQ(refused, 18);
    EXPECT_FALSE(FrmPosition->isVisible());
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(Workbench, TypingMakesThePastedFileTheInputAndLoadsIt) {
    Type("alpha\n\nlongest row\n");
    const std::string pasted = appState().WorkFolder + "/Temp_paste.txt";
    EXPECT_EQ(test::ReadBytes(pasted), "alpha\r\n\r\nlongest row\r\n");
    EXPECT_EQ(first->CurrentInput(), pasted);
    EXPECT_EQ(Control<QLabel>(*first, "LblMsg")->text(),
              "Total lines: 3   Next, double-click an option below.");
    EXPECT_EQ(appState().counters.InputLineCount, 3);
    EXPECT_EQ(Control<QLineEdit>(*FrmPosition, "EdCurrent")->text(), "longest row");
    EXPECT_EQ(first->FileStatistics().size(), 11u);

    // Emptying the memo changes nothing.
    Type("");
    EXPECT_EQ(test::ReadBytes(pasted), "alpha\r\n\r\nlongest row\r\n");
    EXPECT_EQ(first->CurrentInput(), pasted);

    // Clear forgets the input but keeps the statistics.
    first->CmdClearClick();
    EXPECT_TRUE(first->CurrentInput().empty());
    EXPECT_EQ(first->FileStatistics().size(), 11u);
    Run("VIEW ALL       - Gather statistics");
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{kNoInput});
}

TEST_F(Workbench, SelectFileLoadsTheChosenFileAndCancelKeepsTheInput) {
    test::WriteBytes(home.file("in.txt"), "x\r\ny\r\n");
    doubles.dialogs.fileAnswers = {home.file("in.txt")};
    Type("pasted");
    first->CmdSelectClick();
    EXPECT_TRUE(Control<QPlainTextEdit>(*first, "Memo1")->toPlainText().isEmpty());
    EXPECT_EQ(first->CurrentInput(), home.file("in.txt"));
    EXPECT_EQ(appState().counters.InputLineCount, 2);
    EXPECT_EQ(doubles.dialogs.fileFilters, std::vector<std::string>{"All (*.*)|*.*|"});

    first->CmdSelectClick();  // cancelled
    EXPECT_EQ(first->CurrentInput(), home.file("in.txt"));
}

TEST_F(Workbench, AMissingInputShowsTheErrorAndRunsNothing) {
    test::WriteBytes(home.file("gone.txt"), "row\n");
    doubles.dialogs.fileAnswers = {home.file("gone.txt")};
    first->CmdSelectClick();
    std::remove(home.file("gone.txt").c_str());
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_NE(doubles.dialogs.messages[0].text.find("gone.txt"), std::string::npos);
    EXPECT_TRUE(doubles.shell.opened.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_FALSE(appState().OperationRunning);
}

TEST_F(Workbench, DoubleClickDispatchesLikeNext) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    Type("abc");
    Choose("CASE UPPERCASE - Change all to upper case");
    first->ListOptionsDblClick();
    EXPECT_EQ(Results(), "ABC\r\n");
}

TEST_F(Workbench, AMemoChangeDuringARunIsSavedWhenTheRunEnds) {
    auto* LblMsg = Control<QLabel>(*first, "LblMsg");
    appState().OperationRunning = true;
    Type("typed while busy");
    EXPECT_TRUE(first->CurrentInput().empty());
    appState().OperationRunning = false;
    QTest::qWait(200);
    EXPECT_EQ(test::ReadBytes(appState().WorkFolder + "/Temp_paste.txt"), "typed while busy\r\n");
    EXPECT_EQ(appState().counters.InputLineCount, 1);

    // A dispatch while a run is going does nothing at all.
    LblMsg->setText("kept");
    appState().OperationRunning = true;
    Run("CASE UPPERCASE - Change all to upper case");
    appState().OperationRunning = false;
    EXPECT_EQ(LblMsg->text(), "kept");
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(Workbench, RowsOfAnUnchangedInputAreSharedWithTheFinder) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    test::WriteBytes(home.file("a.txt"), "one\r\ntwo\r\n");
    doubles.dialogs.fileAnswers = {home.file("a.txt")};
    first->CmdSelectClick();
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(FinderShows(), (QStringList{"one", "two"}));

    // Rewritten on disk with the same size: the next dispatch reads the new rows, and the
    // finder keeps what was loaded.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::WriteBytes(home.file("a.txt"), "uno\r\ndos\r\n");
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(FinderShows(), (QStringList{"one", "two"}));

    // Another input: an open dialog keeps the rows of the last dispatch until the next one.
    test::WriteBytes(home.file("b.txt"), "bee\r\n");
    doubles.dialogs.fileAnswers = {home.file("b.txt")};
    first->CmdSelectClick();
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(FinderShows(), (QStringList{"bee"}));
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"bee"}));
    EXPECT_EQ(FinderShows(), (QStringList{"bee"}));

    // Loading again while the finder shows the lent rows leaves ListInput alone.
    test::WriteBytes(home.file("c.txt"), "sea\r\nsee\r\n");
    doubles.dialogs.fileAnswers = {home.file("c.txt")};
    first->CmdSelectClick();
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"bee"}));
    EXPECT_EQ(FinderShows(), (QStringList{"sea", "see"}));
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    EXPECT_EQ(Results(), "sea\r\nsee\r\n");
    EXPECT_EQ(ListRows(appState().input.ListInput), (std::vector<std::string>{"sea", "see"}));
}

TEST_F(Workbench, APipeChosenAsInputIsRefusedNotWaitedOn) {
    const std::string pipe = home.file("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    doubles.dialogs.fileAnswers = {pipe};
    first->CmdSelectClick();
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(doubles.dialogs.messages[0].text,
              "Cannot open file \"" + pipe + "\".\nIt is not a regular file");
}

TEST_F(Workbench, PastedTextReplacedByAnotherWindowIsNotRun) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    Type("alpha");
    const std::string removeDialog = "REMOVE         - Remove strings or delete various rows";
    Run(removeDialog);
    SetSpinText(Control<QSpinBox>(*FrmRemove, "Spin2"), "1");
    auto* CmdCreate = Control<QPushButton>(*FrmRemove, "CmdCreate");
    Click(CmdCreate);
    EXPECT_EQ(Results(), "lpha\r\n");

    // Another window of the program pastes its own text into the shared file.
    const std::string pasted = appState().WorkFolder + "/Temp_paste.txt";
    ASSERT_TRUE(WritePastedText(pasted, "beta"));
    const std::string trim = "TRIM BOTH      - Trim spaces from beginning and end of all rows";
    std::filesystem::remove(appState().ResultsFileName);
    Run(trim);
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{kPasteReplacedText});
    EXPECT_FALSE(std::filesystem::exists(appState().ResultsFileName));
    // The dialog left open still works on this window's text.
    Click(CmdCreate);
    EXPECT_EQ(Results(), "lpha\r\n");

    // Text of the same length written into the same file, its time put back, is still refused.
    Type("gamma");
    struct stat before {};
    ASSERT_EQ(::stat(pasted.c_str(), &before), 0);
    {
        std::fstream f(pasted, std::ios::in | std::ios::out | std::ios::binary);
        f << "delta";
    }
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, pasted.c_str(), times, 0), 0);
    doubles.dialogs.messages.clear();
    Run(trim);
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{kPasteReplacedText});
    EXPECT_EQ(Results(), "lpha\r\n");

    // Pasting again runs on this window's text; a chosen file is read as it is, whoever wrote it.
    Type("alpha");
    Run(trim);
    EXPECT_EQ(Results(), "alpha\r\n");
    doubles.dialogs.fileAnswers = {pasted};
    first->CmdSelectClick();
    ASSERT_TRUE(WritePastedText(pasted, "gamma"));
    Run(trim);
    EXPECT_EQ(Results(), "gamma\r\n");
}

TEST_F(Workbench, AFailedSaveOfThePastedTextForgetsTheInput) {
    test::WriteBytes(home.file("a.txt"), "a\n");
    doubles.dialogs.fileAnswers = {home.file("a.txt")};
    first->CmdSelectClick();
    // The pasted-text file cannot be written: a folder stands in its place.
    std::filesystem::create_directory(appState().WorkFolder + "/Temp_paste.txt");
    Type("new text");
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_TRUE(first->CurrentInput().empty());
    doubles.dialogs.messages.clear();
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{kNoInput});

    // With no folder known at all (no home anywhere), a paste and every run say what is missing.
    EXPECT_FALSE(PrepareWorkFolder(appState(), ""));
    doubles.dialogs.messages.clear();
    Type("new text");
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    doubles.dialogs.fileAnswers = {home.file("a.txt")};
    first->CmdSelectClick();
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>(3, kNoWorkFolderText));
}
