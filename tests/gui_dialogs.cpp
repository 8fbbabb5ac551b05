// The insert, remove or delete, and extract dialogs driven through their real controls.
#include "gui/workbench/UExtract.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "core/platform/TextFile.h"
#include "tests/support/Doubles.h"
#include "ui_Extract.h"
#include "ui_Insert.h"
#include "ui_Remove.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

// Work folder, input rows and doubles for one test.
struct DialogScope {
    test::DoublesScope doubles;
    test::TempDir dir;
    explicit DialogScope(const Lines& rows) {
        if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
        appState().WorkFolder = dir.path();
        appState().ResultsFileName = dir.file("Results.txt");
        appState().input.ListInput.clear();
        for (const auto& r : rows) appState().input.ListInput.append(r);
        appState().counters.InputLineCount = static_cast<std::int32_t>(rows.size());
    }
    Lines results() const { return test::ReadCrlfLines(appState().ResultsFileName); }
    bool resultsWritten() const { return FileExists(appState().ResultsFileName); }
};

void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// Key clicks take ASCII only; other text is inserted as a paste would.
void Type(QLineEdit* e, const QString& text) {
    e->clear();
    bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii)
        QTest::keyClicks(e, text);
    else
        e->insert(text);
}

void SetSpinText(QSpinBox* spin, const QString& text) { spin->findChild<QLineEdit*>()->setText(text); }

}  // namespace

TEST(InsertDialog, RunsFromItsControlsAndStaysUsable) {
    DialogScope scope({"abc", "ab", "", "é€x"});
    TFrmInsert form;
    EXPECT_EQ(form.windowTitle(), "Insert Into");
    EXPECT_EQ(form.ui->CmdCreate->text(), "Show New Data");
    EXPECT_EQ(form.ui->Label1->text(), "Add the following characters ");
    EXPECT_EQ(form.ui->SpinPosition->minimum(), 0);
    EXPECT_EQ(form.ui->SpinPosition->maximum(), 25000);
    form.show();

    Type(form.ui->EdString, "-");
    SetSpinText(form.ui->SpinPosition, "2");
    Type(form.ui->EdBeg, "<");
    Type(form.ui->EdEnd, "€>");
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"<ab-c€>", "<ab-€>", "<€>", "<é€-x€>"}));
    EXPECT_EQ(scope.doubles.shell.opened, (Lines{appState().ResultsFileName}));
    EXPECT_TRUE(scope.doubles.dialogs.messages.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_EQ(FrmProgressWindow->infoText(), "Processing. Please be patient ... 75% complete");

    // A position that is not a number reads as the minimum, 0.
    SetSpinText(form.ui->SpinPosition, "");
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"<-abc€>", "<-ab€>", "<€>", "<-é€x€>"}));

    // Exit only hides; the settings stay.
    Click(form.ui->BitBtn1);
    EXPECT_TRUE(form.isHidden());
    form.show();
    EXPECT_EQ(form.ui->EdBeg->text(), "<");
}

TEST(InsertDialog, UnwritableResultsFilePublishesNothingAndTheNextRunWorks) {
    DialogScope scope({"a"});
    TFrmInsert form;
    appState().ResultsFileName = scope.dir.file("no/such/folder/Results.txt");
    Click(form.ui->CmdCreate);
    ASSERT_EQ(scope.doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_NE(scope.doubles.dialogs.messages[0].text.find("no/such/folder/Results.txt"), std::string::npos);
    EXPECT_TRUE(scope.doubles.shell.opened.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_FALSE(appState().OperationRunning);

    appState().ResultsFileName = scope.dir.file("Results.txt");
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"a"}));
}

TEST(InsertDialog, ARunIsRefusedWhileAnotherIsGoing) {
    DialogScope scope({"a"});
    TFrmInsert form;
    appState().OperationRunning = true;
    Click(form.ui->CmdCreate);
    appState().OperationRunning = false;
    EXPECT_FALSE(scope.resultsWritten());
    EXPECT_TRUE(scope.doubles.shell.opened.empty());
    EXPECT_TRUE(scope.doubles.dialogs.messages.empty());
}

TEST(RemoveDialog, ValidatesBeforeTouchingAnythingThenRunsBothModes) {
    DialogScope scope({"ab1", "cd2", "ab3", "a"});
    TFrmRemove form;
    EXPECT_EQ(form.windowTitle(), "Remove or Delete");
    EXPECT_TRUE(form.ui->BitBtn1->isDefault());
    EXPECT_TRUE(form.ui->ListHidden->isHidden());
    form.show();

    SetSpinText(form.ui->Spin1, "3");
    SetSpinText(form.ui->Spin2, "2");
    form.ui->Chkdelete->setChecked(true);
    form.ui->ChkDups->setChecked(true);
    Click(form.ui->CmdCreate);
    form.ui->Chkdelete->setChecked(false);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.doubles.dialogs.texts(), (Lines{kMsgRemoveNeedsString, kMsgRemovePositions}));
    EXPECT_FALSE(scope.resultsWritten());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_TRUE(scope.doubles.shell.opened.empty());

    // A first position that is not a number reads as 1.
    SetSpinText(form.ui->Spin1, "x");
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"cd2", "a"}));
    EXPECT_EQ(scope.doubles.shell.opened.size(), 1u);

    form.ui->ChkDups->setChecked(false);
    form.ui->Chkdelete->setChecked(true);
    Type(form.ui->EdDelete, "b");
    form.ui->ChkEntireRow->setChecked(true);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"cd2", "a"}));
    form.ui->ChkEntireRow->setChecked(false);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"1", "cd2", "3", "a"}));
    EXPECT_EQ(scope.doubles.shell.opened.size(), 3u);
    EXPECT_EQ(scope.doubles.dialogs.messages.size(), 2u);

    // Enter in an edit box presses the default button, "Exit", which only hides.
    QTest::keyClick(form.ui->EdDelete, Qt::Key_Return);
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.ui->EdDelete->text(), "b");
}

namespace {
// Notes how many shell calls had been made when each message was shown.
struct OrderedDialogs : test::RecordingDialogs {
    const test::RecordingShell* shell = nullptr;
    std::vector<std::size_t> shellCallsAtMessage;
    void message(const std::string& text, MsgKind kind, const std::string& caption) override {
        shellCallsAtMessage.push_back(shell->opened.size());
        RecordingDialogs::message(text, kind, caption);
    }
};
}  // namespace

TEST(ExtractDialog, ChoicesHandlersAndRuns) {
    DialogScope scope({"  one  two\tthree ", "", "say [hi] x"});
    OrderedDialogs ordered;
    ordered.shell = &scope.doubles.shell;
    InstallDialogs(&ordered);
    TFrmExtract form;
    EXPECT_EQ(form.windowTitle(), "Extract or Remove");
    EXPECT_EQ(form.ui->RadExtractWords->text(), "Extract \"all words\" into a file");
    EXPECT_FALSE(form.ui->RadPositions->isChecked());
    EXPECT_TRUE(form.ui->ChkOpp->isEnabled());
    form.show();

    // The count follows the start text's length, whichever of the three edits changed.
    Type(form.ui->EdStringIn, "ab€");
    EXPECT_EQ(form.ui->Spin3->value(), 3);
    form.ui->Spin3->setValue(9);
    Type(form.ui->EdString2, "z");
    EXPECT_EQ(form.ui->Spin3->value(), 3);

    // Selecting a choice by program runs its handler, as the dispatcher relies on.
    form.ui->RadStrExists->setChecked(true);
    form.ui->ChkOpp->setChecked(true);
    form.ui->RadPositions->setChecked(true);
    EXPECT_FALSE(form.ui->ChkOpp->isEnabled());
    EXPECT_FALSE(form.ui->ChkOpp->isChecked());
    Click(form.ui->RadString);
    EXPECT_TRUE(form.ui->ChkOpp->isEnabled());

    // Validation of the selected choice only, before anything is written.
    Type(form.ui->EdStringIn, "");
    Click(form.ui->CmdCreate);
    Click(form.ui->RadStrExists);
    Click(form.ui->CmdCreate);
    Click(form.ui->RadStringByte);
    Click(form.ui->CmdCreate);
    Click(form.ui->RadPositions);
    SetSpinText(form.ui->Spin1, "4");
    Click(form.ui->CmdCreate);
    EXPECT_EQ(ordered.texts(),
              (Lines{kMsgExtractString, kMsgExtractExists, kMsgExtractStringByte, kMsgExtractPositions}));
    EXPECT_FALSE(scope.resultsWritten());

    Click(form.ui->RadStringBetween);
    Type(form.ui->EdString1, "[");
    Type(form.ui->EdString2, "]");
    form.ui->ChkOpp->setChecked(true);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"  one  two\tthree ", ""}));
    form.ui->ChkOpp->setChecked(false);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"[hi]"}));

    // The words count is shown before the results file is published.
    Click(form.ui->RadExtractWords);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"one", "two\tthree", "say", "[hi]", "x"}));
    EXPECT_EQ(ordered.texts().back(), "The total words extracted is: 5");
    EXPECT_EQ(ordered.shellCallsAtMessage.back(), 2u);
    EXPECT_EQ(scope.doubles.shell.opened.size(), 3u);
    EXPECT_FALSE(FrmProgressWindow->isVisible());

    // A non-number in a spin edit reads as its minimum.
    SetSpinText(form.ui->SpinStringByte, "");
    Type(form.ui->EdStringByte, "s");
    Click(form.ui->RadStringByte);
    Click(form.ui->CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"say [hi] x"}));
    InstallDialogs(&scope.doubles.dialogs);
}
