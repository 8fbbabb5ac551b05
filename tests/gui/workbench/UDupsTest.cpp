#include "gui/workbench/UDups.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/RunChecks.h"
#include "tests/support/gui/WorkScope.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace rs;
using rs::test::Control;
using rs::test::ReadBytes;
using rs::test::ReadCrlfLines;
using rs::test::WriteBytes;

namespace {

// One form over a fresh work folder, with the rows the dispatcher would have loaded.
struct DupsFixture : ::testing::Test, test::WorkScope {
    void SetUp() override {
        form = std::make_unique<TFrmDups>();
        FrmDups = form.get();
    }
    void TearDown() override { FrmDups = nullptr; }

    QSpinBox* Spin(const char* name) const { return Control<QSpinBox>(*form, name); }
    QRadioButton* Rad(const char* name) const { return Control<QRadioButton>(*form, name); }
    void Click() { QTest::mouseClick(Control<QPushButton>(*form, "CmdCreate"), Qt::LeftButton); }

    std::unique_ptr<TFrmDups> form;
};

}  // namespace

TEST_F(DupsFixture, StartsWithItsLayoutAndTheOneOfEachChoice) {
    EXPECT_EQ(form->windowTitle(), "Duplicates");
    EXPECT_EQ(form->size(), QSize(525, 267));
    EXPECT_EQ(
        Control<QLabel>(*form, "Label4")->text(),
        "A duplicate is identified by the positions you enter below.   You can then extract all the duplicate or non duplicate rows into a file.");
    EXPECT_TRUE(Control<QLabel>(*form, "Label4")->wordWrap());
    EXPECT_EQ(Control<QLabel>(*form, "Label1")->text(), "Identify duplicates between position ");
    EXPECT_EQ(Control<QLabel>(*form, "Label2")->text(), "and position");
    for (QSpinBox* spin : {Spin("Spin1"), Spin("Spin2")}) {
        EXPECT_EQ(spin->minimum(), 1);
        EXPECT_EQ(spin->maximum(), 25000);
        EXPECT_EQ(spin->value(), 1);
        EXPECT_EQ(spin->parentWidget(), Control<QGroupBox>(*form, "GroupBox1"));
    }
    EXPECT_EQ(Rad("RadOnlyDups")->text(), "Write all duplicate rows");
    EXPECT_EQ(Rad("RadNoDups")->text(), "Write all NON duplicate rows (Unique)");
    EXPECT_EQ(Rad("RadAll1Dups")->text(), "Write all rows but include only 1 row if duplicates found");
    EXPECT_TRUE(Rad("RadAll1Dups")->isChecked());
    EXPECT_FALSE(Rad("RadOnlyDups")->isChecked());
    EXPECT_EQ(Control<QPushButton>(*form, "CmdCreate")->text(), "Show New Data");
    EXPECT_EQ(Control<QPushButton>(*form, "BitBtn1")->text(), "Exit");
    form->show();
    EXPECT_FALSE(Control<QListWidget>(*form, "ListHidden")->isVisible());
    EXPECT_EQ(Control<QPushButton>(*form, "CmdCreate")->font().family(), "Arial");
}

TEST_F(DupsFixture, RunWritesTheChosenRowsSortedAndOpensThem) {
    load({"B2 tail", "A1 one", "", "B2 head", "A9", "x"});
    form->show();
    Spin("Spin1")->setValue(1);
    Spin("Spin2")->setValue(2);
    struct Case {
        QRadioButton* radio;
        std::vector<std::string> rows;
    } cases[] = {
        {Rad("RadOnlyDups"), {"B2 head", "B2 tail"}},
        {Rad("RadNoDups"), {"", "A1 one", "A9", "x"}},
        {Rad("RadAll1Dups"), {"", "A1 one", "A9", "B2 tail", "x"}},
    };
    for (const auto& c : cases) {
        c.radio->click();
        Click();
        EXPECT_EQ(ReadCrlfLines(appState().ResultsFileName), c.rows) << c.radio->objectName().toStdString();
    }
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>(3, appState().ResultsFileName));
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_EQ(FrmProgressWindow->infoText(), "Writing your results ... 83% complete");
    EXPECT_TRUE(form->isVisible());  // the dialog stays open after a run
    EXPECT_FALSE(appState().OperationRunning);
}

TEST_F(DupsFixture, ReversedPositionsStopBeforeAnythingIsWritten) {
    load({"aa", "aa"});
    WriteBytes(appState().ResultsFileName, "kept\r\n");
    Spin("Spin1")->setValue(3);
    Spin("Spin2")->setValue(2);
    Click();
    EXPECT_EQ(
        doubles.dialogs.texts(),
        std::vector<std::string>{
            "Your first position entered is larger then the second position. Please change the byte positions you have chosen."});
    EXPECT_EQ(doubles.dialogs.messages[0].caption, kAppTitle);
    EXPECT_EQ(ReadBytes(appState().ResultsFileName), "kept\r\n");
    EXPECT_TRUE(doubles.shell.opened.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
}

TEST_F(DupsFixture, ShellFailureNamesTheResultsFile) {
    load({"k1", "k2"});
    Rad("RadOnlyDups")->click();
    doubles.shell.result = ShellResult::Failed;
    Click();
    EXPECT_EQ(doubles.dialogs.texts(),
              std::vector<std::string>{"The new file has been created with your changes : " +
                                       appState().ResultsFileName});
    EXPECT_EQ(ReadCrlfLines(appState().ResultsFileName), (std::vector<std::string>{"k1", "k2"}));
}

TEST_F(DupsFixture, UnwritableResultsFileShowsAnErrorAndClosesTheProgressWindow) {
    load({"a"});
    appState().ResultsFileName = dir.file("missing/Results.txt");
    Click();
    test::ExpectResultsFileErrorEndedRun(doubles);
}

TEST_F(DupsFixture, ExitHidesAndTheSettingsStay) {
    form->show();
    Spin("Spin1")->setValue(4);
    Spin("Spin2")->setValue(9);
    Rad("RadNoDups")->click();
    QTest::mouseClick(Control<QPushButton>(*form, "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    form->show();
    form->close();  // the close box hides as well
    EXPECT_FALSE(form->isVisible());
    form->show();
    DupsSettings s = form->Settings();
    EXPECT_EQ(s.spin1, 4);
    EXPECT_EQ(s.spin2, 9);
    EXPECT_EQ(s.choice, DupsChoice::NoDups);

    // Enter on a control that does not take it presses Exit.
    form->activateWindow();
    Spin("Spin1")->setFocus();
    QTest::keyClick(Spin("Spin1"), Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
}
