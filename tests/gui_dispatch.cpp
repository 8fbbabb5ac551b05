#include "core/platform/Overwrite.h"
#include "core/workbench/AppState.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/OperationList.h"
#include "gui/Dispatcher.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

using namespace rs;
using rs::test::Control;

namespace {
const char* const kNoInput =
    "You must select a text file or paste some text into this application using the buttons at the top. (Note "
    "also that your input file will never be altered or changed in any way, as a new file is simply created for "
    "you).";

// The real main window and the forms it reaches, in a fresh application-data folder.
struct Workbench : ::testing::Test {
    test::TempDir home;
    test::DoublesScope doubles;
    std::unique_ptr<TFrmFirst> first;

    void SetUp() override {
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
        if (!FrmPosition) FrmPosition = new TFrmPosition;
        if (!FrmInsert) FrmInsert = new TFrmInsert;
        if (!FrmRemove) FrmRemove = new TFrmRemove;
        if (!FrmExtract) FrmExtract = new TFrmExtract;
        if (!FrmDups) FrmDups = new TFrmDups;
        for (QWidget* w : {static_cast<QWidget*>(FrmPosition), static_cast<QWidget*>(FrmInsert),
                           static_cast<QWidget*>(FrmRemove), static_cast<QWidget*>(FrmExtract),
                           static_cast<QWidget*>(FrmDups)})
            w->hide();
        appState().input.ListInput.clear();
        first = std::make_unique<TFrmFirst>();
        FrmFirst = first.get();
        InstallDispatcher(*first);
    }
    void TearDown() override { FrmFirst = nullptr; }

    void Choose(const std::string& entry) {
        auto* ListOptions = Control<QListWidget>(*first, "ListOptions");
        auto items = ListOptions->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry;
        ListOptions->setCurrentItem(items[0]);
    }
    void Run(const std::string& entry) {
        Choose(entry);
        first->CmdMakeChangesClick();
    }
    void Type(const QString& text) { Control<QPlainTextEdit>(*first, "Memo1")->setPlainText(text); }
    std::string Results() { return test::ReadBytes(appState().ResultsFileName); }
};
}  // namespace

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

TEST_F(Workbench, StatisticsReportIsPublished) {
    Type("ab\n  \t\nabcd");
    Run("VIEW ALL       - Gather statistics");
    auto lines = test::ReadCrlfLines(appState().ResultsFileName);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[3], "Total number of lines in file: 3 total lines (row count)");
    EXPECT_EQ(lines[4], "Total bytes in entire file   : 9 total bytes (byte count)");
    EXPECT_EQ(lines[8], "Longest data line is row     : #3");
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>{appState().ResultsFileName});
    // The finder was shown because its check box is ticked, and the rows were re-read.
    EXPECT_TRUE(FrmPosition->isVisible());
    EXPECT_EQ(appState().input.ListInput.size(), 3u);
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

TEST_F(Workbench, LineOperationsRunFromTheList) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    Type("  Mixed Case  \n\n\tTabbed");
    Run("CASE UPPERCASE - Change all to upper case");
    EXPECT_EQ(Results(), "  MIXED CASE  \r\n\r\n\tTABBED\r\n");
    EXPECT_FALSE(FrmPosition->isVisible());
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    EXPECT_EQ(Results(), "Mixed Case\r\n\r\nTabbed\r\n");
    Run("REMOVE         - Remove all blank rows");
    EXPECT_EQ(Results(), "  Mixed Case  \r\n\tTabbed\r\n");
    EXPECT_EQ(doubles.shell.opened.size(), 3u);

    // Word count reports in a message box and does not publish.
    doubles.dialogs.messages.clear();
    Run("COUNT          - Count total words");
    EXPECT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.shell.opened.size(), 3u);
}

TEST_F(Workbench, InputBoxEntries) {
    Type("abcabc\nxbx");
    doubles.dialogs.inputAnswers = {"b"};
    Run("REMOVE         - Remove strings from all locations");
    EXPECT_EQ(doubles.dialogs.inputPrompts.back(), "Remove characters|Enter the character string you want removed:");
    EXPECT_EQ(Results(), "acac\r\nxx\r\n");

    doubles.dialogs.inputAnswers = {"x"};
    Run("REMOVE         - Remove rows if a string you enter is found");
    EXPECT_EQ(doubles.dialogs.inputPrompts.back(), "Remove|Remove all lines containing:");
    EXPECT_EQ(Results(), "abcabc\r\n");

    // An empty answer to the count box says so and runs nothing.
    doubles.dialogs.messages.clear();
    Run("COUNT          - Count total occurrances of any string");
    EXPECT_EQ(doubles.dialogs.inputPrompts.back(), "Count|Count occurrances of the following word:");
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].text,
              "No word was entered. If you enter a word, it will tell you the number of times the word was found "
              "in your input text.");

    // An answer of spaces is an answer.
    Type("a b\nc");
    doubles.dialogs.inputAnswers = {" "};
    Run("REMOVE         - Remove strings from all locations");
    EXPECT_EQ(Results(), "ab\r\nc\r\n");
}

TEST_F(Workbench, DialogEntriesApplyTheirResets) {
    auto* Chkdelete = Control<QCheckBox>(*FrmRemove, "Chkdelete");
    auto* RadPositions = Control<QRadioButton>(*FrmExtract, "RadPositions");
    Type("row");
    Chkdelete->setChecked(true);
    Run("REMOVE         - Remove strings or delete various rows");
    EXPECT_TRUE(FrmRemove->isVisible());
    EXPECT_FALSE(Chkdelete->isChecked());

    RadPositions->setChecked(false);
    Run("EXTRACT        - Extract strings or rows ");
    EXPECT_TRUE(FrmExtract->isVisible());
    EXPECT_TRUE(RadPositions->isChecked());

    Run("INSERT         - Insert strings into rows");
    EXPECT_TRUE(FrmInsert->isVisible());
    EXPECT_EQ(appState().input.ListInput.size(), 1u);
}

TEST_F(Workbench, DoubleClickDispatchesLikeNext) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    Type("abc");
    Choose("CASE UPPERCASE - Change all to upper case");
    first->ListOptionsDblClick();
    EXPECT_EQ(Results(), "ABC\r\n");
}

#include "gui/filetools/UCombineFile.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/workbench/UTemplate.h"

#include <QTimer>

namespace {
// Closes the modal dialog that the next dispatch opens, once its event loop runs.
void CloseWhenShown(std::function<QDialog*()> dialog, std::function<void()> check = {}) {
    QTimer::singleShot(0, [dialog, check] {
        QDialog* d = dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible());
        if (check) check();
        d->reject();
    });
}
}  // namespace

TEST_F(Workbench, ModalEntriesNeedNoInput) {
    if (!FrmManyFiles) FrmManyFiles = new TFrmManyFiles;
    if (!FrmTemplate) FrmTemplate = new TFrmTemplate;
    ASSERT_TRUE(first->CurrentInput().empty());

    CloseWhenShown([] { return FrmManyFiles; },
                   [] {
                       EXPECT_EQ(Control<QLabel>(*FrmManyFiles, "LblFolder")->text().toStdString(),
                                 appState().WorkFolder + "/");
                   });
    Run("BULK INSERT    - Bulk - Insert string(s) into many files at once");

    CloseWhenShown([] { return FrmTemplate; });
    Run("TEMPLATE       - Builder - Replicate setup multiple times");

    // The combine dialog exists only while it is shown.
    CloseWhenShown([] { return static_cast<QDialog*>(FrmCombineFile); });
    Run("BULK COMBINE   - Bulk - Combine many files into 1 file");
    EXPECT_EQ(FrmCombineFile, nullptr);
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_TRUE(appState().input.ListInput.empty());
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

#include "gui/platform/QtRowListModel.h"

#include <thread>

namespace {
QStringList FinderShows() {
    QStringList rows;
    QtRowListModel* m = FrmPosition->rowModel();
    for (int i = 0; i < m->rowCount(); ++i) rows << m->data(m->index(i), Qt::DisplayRole).toString();
    return rows;
}
std::vector<std::string> Rows(const RowList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i) out.emplace_back(list[i]);
    return out;
}
}  // namespace

TEST_F(Workbench, RowsOfAnUnchangedInputAreSharedWithTheFinder) {
    Control<QCheckBox>(*first, "Chkposition")->setChecked(false);
    test::WriteBytes(home.file("a.txt"), "one\r\ntwo\r\n");
    doubles.dialogs.fileAnswers = {home.file("a.txt")};
    first->CmdSelectClick();
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(FinderShows(), (QStringList{"one", "two"}));

    // Rewritten on disk with the same size: the next dispatch reads the new rows, and the
    // finder keeps what was loaded.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::WriteBytes(home.file("a.txt"), "uno\r\ndos\r\n");
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(FinderShows(), (QStringList{"one", "two"}));

    // Another input: an open dialog keeps the rows of the last dispatch until the next one.
    test::WriteBytes(home.file("b.txt"), "bee\r\n");
    doubles.dialogs.fileAnswers = {home.file("b.txt")};
    first->CmdSelectClick();
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(FinderShows(), (QStringList{"bee"}));
    Run("INSERT         - Insert strings into rows");
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"bee"}));
    EXPECT_EQ(FinderShows(), (QStringList{"bee"}));

    // Loading again while the finder shows the lent rows leaves ListInput alone.
    test::WriteBytes(home.file("c.txt"), "sea\r\nsee\r\n");
    doubles.dialogs.fileAnswers = {home.file("c.txt")};
    first->CmdSelectClick();
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"bee"}));
    EXPECT_EQ(FinderShows(), (QStringList{"sea", "see"}));
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    EXPECT_EQ(Results(), "sea\r\nsee\r\n");
    EXPECT_EQ(Rows(appState().input.ListInput), (std::vector<std::string>{"sea", "see"}));
}

TEST_F(Workbench, NoRunWritesOverItsOwnInput) {
    // The input is the results file itself, reached through a link.
    test::WriteBytes(appState().ResultsFileName, "a1\nb2\na1\n");
    const std::string link = home.file("link.txt");
    std::filesystem::create_symlink(appState().ResultsFileName, link);
    doubles.dialogs.fileAnswers = {link};
    first->CmdSelectClick();
    const std::string refusal = OverwriteRefusalText(appState().ResultsFileName);
    auto expectRefused = [&](const std::string& what) {
        EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{refusal}) << what;
        EXPECT_EQ(Results(), "a1\nb2\na1\n") << what;
        EXPECT_FALSE(FrmProgressWindow->isVisible()) << what;
        doubles.dialogs.messages.clear();
    };
    Run("VIEW ALL       - Gather statistics");
    expectRefused("statistics");
    Run("TRIM BOTH      - Trim spaces from beginning and end of all rows");
    expectRefused("trim");

    Run("INSERT         - Insert strings into rows");
    Control<QLineEdit>(*FrmInsert, "EdString")->setText("x");
    Control<QPushButton>(*FrmInsert, "CmdCreate")->click();
    expectRefused("insert");

    Run("REMOVE         - Remove strings or delete various rows");
    for (bool byKey : {false, true}) {
        Control<QCheckBox>(*FrmRemove, "ChkDups")->setChecked(byKey);
        Control<QPushButton>(*FrmRemove, "CmdCreate")->click();
        expectRefused(byKey ? "remove by key" : "remove by position");
    }

    Run("EXTRACT        - Extract strings or rows ");
    for (const char* name : {"EdStringIn", "EdString1", "EdString2", "EdStrExists", "EdStringByte"})
        Control<QLineEdit>(*FrmExtract, name)->setText("a");
    for (const char* name : {"RadPositions", "RadString", "RadStringBetween", "RadStrExists",
                             "RadExtractWords", "RadStringByte"}) {
        QRadioButton* choice = Control<QRadioButton>(*FrmExtract, name);
        choice->setChecked(true);
        Control<QPushButton>(*FrmExtract, "CmdCreate")->click();
        expectRefused(choice->objectName().toStdString());
    }

    Run("DUPLICATES     - Extract, consolidate, or eliminate duplicates");
    for (const char* name : {"RadOnlyDups", "RadNoDups", "RadAll1Dups"}) {
        QRadioButton* choice = Control<QRadioButton>(*FrmDups, name);
        choice->setChecked(true);
        Control<QPushButton>(*FrmDups, "CmdCreate")->click();
        expectRefused(choice->objectName().toStdString());
    }
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(Workbench, APipeChosenAsInputIsRefusedNotWaitedOn) {
    const std::string pipe = home.file("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    doubles.dialogs.fileAnswers = {pipe};
    first->CmdSelectClick();
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(doubles.dialogs.messages[0].text, "Cannot open file \"" + pipe + "\".\nIt is not a regular file");
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
}
