// The insert, remove or delete, and extract dialogs driven through their real controls.
#include "core/platform/TextFile.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace rs;
using rs::test::Control;
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
    DialogScope scope({"a"});
    TFrmInsert form;
    auto* CmdCreate = Control<QPushButton>(form, "CmdCreate");
    appState().ResultsFileName = scope.dir.file("no/such/folder/Results.txt");
    Click(CmdCreate);
    ASSERT_EQ(scope.doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_NE(scope.doubles.dialogs.messages[0].text.find("no/such/folder/Results.txt"), std::string::npos);
    EXPECT_TRUE(scope.doubles.shell.opened.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_FALSE(appState().OperationRunning);

    appState().ResultsFileName = scope.dir.file("Results.txt");
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"a"}));
}

TEST(InsertDialog, ARunIsRefusedWhileAnotherIsGoing) {
    DialogScope scope({"a"});
    TFrmInsert form;
    appState().OperationRunning = true;
    Click(Control<QPushButton>(form, "CmdCreate"));
    appState().OperationRunning = false;
    EXPECT_FALSE(scope.resultsWritten());
    EXPECT_TRUE(scope.doubles.shell.opened.empty());
    EXPECT_TRUE(scope.doubles.dialogs.messages.empty());
}

TEST(RemoveDialog, ValidatesBeforeTouchingAnythingThenRunsBothModes) {
    DialogScope scope({"ab1", "cd2", "ab3", "a"});
    TFrmRemove form;
    auto* Spin1 = Control<QSpinBox>(form, "Spin1");
    auto* ChkDups = Control<QCheckBox>(form, "ChkDups");
    auto* ChkEntireRow = Control<QCheckBox>(form, "ChkEntireRow");
    auto* Chkdelete = Control<QCheckBox>(form, "Chkdelete");
    auto* CmdCreate = Control<QPushButton>(form, "CmdCreate");
    auto* EdDelete = Control<QLineEdit>(form, "EdDelete");
    EXPECT_EQ(form.windowTitle(), "Remove or Delete");
    EXPECT_TRUE(Control<QPushButton>(form, "BitBtn1")->isDefault());
    EXPECT_TRUE(Control<QListWidget>(form, "ListHidden")->isHidden());
    form.show();

    SetSpinText(Spin1, "3");
    SetSpinText(Control<QSpinBox>(form, "Spin2"), "2");
    Chkdelete->setChecked(true);
    ChkDups->setChecked(true);
    Click(CmdCreate);
    Chkdelete->setChecked(false);
    Click(CmdCreate);
    EXPECT_EQ(scope.doubles.dialogs.texts(), (Lines{kMsgRemoveNeedsString, kMsgRemovePositions}));
    EXPECT_FALSE(scope.resultsWritten());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_TRUE(scope.doubles.shell.opened.empty());

    // A first position that is not a number reads as 1.
    SetSpinText(Spin1, "x");
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"cd2", "a"}));
    EXPECT_EQ(scope.doubles.shell.opened.size(), 1u);

    ChkDups->setChecked(false);
    Chkdelete->setChecked(true);
    Type(EdDelete, "b");
    ChkEntireRow->setChecked(true);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"cd2", "a"}));
    ChkEntireRow->setChecked(false);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"1", "cd2", "3", "a"}));
    EXPECT_EQ(scope.doubles.shell.opened.size(), 3u);
    EXPECT_EQ(scope.doubles.dialogs.messages.size(), 2u);

    // Enter in an edit box presses the default button, "Exit", which only hides.
    QTest::keyClick(EdDelete, Qt::Key_Return);
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(EdDelete->text(), "b");
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
    auto* RadExtractWords = Control<QRadioButton>(form, "RadExtractWords");
    auto* EdStringIn = Control<QLineEdit>(form, "EdStringIn");
    auto* EdString2 = Control<QLineEdit>(form, "EdString2");
    auto* RadStrExists = Control<QRadioButton>(form, "RadStrExists");
    auto* RadStringByte = Control<QRadioButton>(form, "RadStringByte");
    auto* RadPositions = Control<QRadioButton>(form, "RadPositions");
    auto* ChkOpp = Control<QCheckBox>(form, "ChkOpp");
    auto* Spin3 = Control<QSpinBox>(form, "Spin3");
    auto* CmdCreate = Control<QPushButton>(form, "CmdCreate");
    EXPECT_EQ(form.windowTitle(), "Extract or Remove");
    EXPECT_EQ(RadExtractWords->text(), "Extract \"all words\" into a file");
    EXPECT_FALSE(RadPositions->isChecked());
    EXPECT_TRUE(ChkOpp->isEnabled());
    form.show();

    // The count follows the start text's length, whichever of the three edits changed.
    Type(EdStringIn, "ab€");
    EXPECT_EQ(Spin3->value(), 3);
    Spin3->setValue(9);
    Type(EdString2, "z");
    EXPECT_EQ(Spin3->value(), 3);

    // Selecting a choice by program runs its handler, as the dispatcher relies on.
    RadStrExists->setChecked(true);
    ChkOpp->setChecked(true);
    RadPositions->setChecked(true);
    EXPECT_FALSE(ChkOpp->isEnabled());
    EXPECT_FALSE(ChkOpp->isChecked());
    Click(Control<QRadioButton>(form, "RadString"));
    EXPECT_TRUE(ChkOpp->isEnabled());

    // Validation of the selected choice only, before anything is written.
    Type(EdStringIn, "");
    Click(CmdCreate);
    Click(RadStrExists);
    Click(CmdCreate);
    Click(RadStringByte);
    Click(CmdCreate);
    Click(RadPositions);
    SetSpinText(Control<QSpinBox>(form, "Spin1"), "4");
    Click(CmdCreate);
    EXPECT_EQ(ordered.texts(),
              (Lines{kMsgExtractString, kMsgExtractExists, kMsgExtractStringByte, kMsgExtractPositions}));
    EXPECT_FALSE(scope.resultsWritten());

    Click(Control<QRadioButton>(form, "RadStringBetween"));
    Type(Control<QLineEdit>(form, "EdString1"), "[");
    Type(EdString2, "]");
    ChkOpp->setChecked(true);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"  one  two\tthree ", ""}));
    ChkOpp->setChecked(false);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"[hi]"}));

    // The words count is shown before the results file is published.
    Click(RadExtractWords);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"one", "two\tthree", "say", "[hi]", "x"}));
    EXPECT_EQ(ordered.texts().back(), "The total words extracted is: 5");
    EXPECT_EQ(ordered.shellCallsAtMessage.back(), 2u);
    EXPECT_EQ(scope.doubles.shell.opened.size(), 3u);
    EXPECT_FALSE(FrmProgressWindow->isVisible());

    // A non-number in a spin edit reads as its minimum.
    SetSpinText(Control<QSpinBox>(form, "SpinStringByte"), "");
    Type(Control<QLineEdit>(form, "EdStringByte"), "s");
    Click(RadStringByte);
    Click(CmdCreate);
    EXPECT_EQ(scope.results(), (Lines{"say [hi] x"}));
    InstallDialogs(&scope.doubles.dialogs);
}
