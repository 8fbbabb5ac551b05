// The insert dialog driven through its real controls.
#include "gui/workbench/USecond.h"

#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/RunChecks.h"
#include "tests/support/gui/WorkScope.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace rs;
using rs::test::Click;
using rs::test::Control;
using rs::test::Lines;
using rs::test::SetSpinText;
using rs::test::Type;

TEST(InsertDialog, RunsFromItsControlsAndStaysUsable) {
    test::WorkScope scope({"abc", "ab", "", "é€x"});
    TFrmInsert form;
    auto* EdBeg = Control<QLineEdit>(form, "EdBeg");
    auto* CmdCreate = Control<QPushButton>(form, "CmdCreate");
    auto* SpinPosition = Control<QSpinBox>(form, "SpinPosition");
    EXPECT_EQ(form.windowTitle(), "Insert Into");
    EXPECT_EQ(CmdCreate->text(), "Show New Data");
    EXPECT_EQ(Control<QLabel>(form, "Label1")->text(), "Add the following characters ");
    EXPECT_EQ(SpinPosition->minimum(), 0);
    EXPECT_EQ(SpinPosition->maximum(), 25000);
    form.show();

    Type(Control<QLineEdit>(form, "EdString"), "-");
    SetSpinText(SpinPosition, "2");
    Type(EdBeg, "<");
    Type(Control<QLineEdit>(form, "EdEnd"), "€>");
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"<ab-c€>", "<ab-€>", "<€>", "<é€-x€>"}));
    EXPECT_EQ(scope.doubles.shell.opened, (Lines{appState().ResultsFileName}));
    EXPECT_TRUE(scope.doubles.dialogs.messages.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_EQ(FrmProgressWindow->infoText(), "Processing. Please be patient ... 75% complete");

    // A position that is not a number reads as the minimum, 0.
    SetSpinText(SpinPosition, "");
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"<-abc€>", "<-ab€>", "<€>", "<-é€x€>"}));

    // Exit only hides; the settings stay.
    Click(Control<QPushButton>(form, "BitBtn1"));
    EXPECT_TRUE(form.isHidden());
    form.show();
    EXPECT_EQ(EdBeg->text(), "<");
}

TEST(InsertDialog, UnwritableResultsFilePublishesNothingAndTheNextRunWorks) {
    test::WorkScope scope({"a"});
    TFrmInsert form;
    auto* CmdCreate = Control<QPushButton>(form, "CmdCreate");
    appState().ResultsFileName = scope.dir.file("no/such/folder/Results.txt");
    Click(CmdCreate);
    test::ExpectResultsFileErrorEndedRun(scope.doubles);

    appState().ResultsFileName = scope.dir.file("Results.txt");
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"a"}));
}

TEST(InsertDialog, ARunIsRefusedWhileAnotherIsGoing) {
    test::WorkScope scope({"a"});
    TFrmInsert form;
    appState().OperationRunning = true;
    Click(Control<QPushButton>(form, "CmdCreate"));
    appState().OperationRunning = false;
    EXPECT_FALSE(scope.resultsWritten());
    EXPECT_TRUE(scope.doubles.shell.opened.empty());
    EXPECT_TRUE(scope.doubles.dialogs.messages.empty());
}
