// The extract dialog driven through its real controls.
#include "gui/workbench/UExtract.h"

#include "core/workbench/ExtractLogic.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <vector>

using namespace rs;
using rs::test::Click;
using rs::test::Control;
using rs::test::Lines;
using rs::test::SetSpinText;
using rs::test::Type;

TEST(ExtractDialog, ChoicesHandlersAndRuns) {
    test::WorkScope scope({"  one  two\tthree ", "", "say [hi] x"});
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
    EXPECT_EQ(scope.doubles.dialogs.texts(),
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
    const test::EventLog& events = scope.doubles.events;
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.end()[-2], "message:The total words extracted is: 5");
    EXPECT_EQ(events.back(), "open:" + appState().ResultsFileName);
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
