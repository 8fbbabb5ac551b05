// The remove or delete dialog driven through its real controls.
#include "gui/workbench/URemove.h"

#include "core/workbench/RemoveLogic.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace rs;
using rs::test::Click;
using rs::test::Control;
using rs::test::Lines;
using rs::test::SetSpinText;
using rs::test::Type;

TEST(RemoveDialog, ValidatesBeforeTouchingAnythingThenRunsBothModes) {
    test::WorkScope scope({"ab1", "cd2", "ab3", "a"});
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
