#include "gui/Dispatcher.h"

#include "core/platform/Overwrite.h"
#include "core/workbench/AppState.h"
#include "gui/filetools/UCombineFile.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/UTemplate.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/Workbench.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace rs;
using rs::test::Control;
using rs::test::Workbench;

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
    EXPECT_EQ(doubles.dialogs.inputPrompts.back(),
              "Remove characters|Enter the character string you want removed:");
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
    EXPECT_EQ(
        doubles.dialogs.messages[0].text,
        "No word was entered. If you enter a word, it will tell you the number of times the word was found in your input text.");

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
