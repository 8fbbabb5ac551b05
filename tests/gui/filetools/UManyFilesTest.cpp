#include "gui/filetools/UManyFiles.h"

#include "core/workbench/AppState.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace rs;
using rs::test::Control;
using rs::test::ReadBytes;
using rs::test::WriteBytes;

TEST(FileToolsWindows, BulkInsertChecksThenCopiesTheWorkFolder) {
    test::WorkScope w;
    WriteBytes(w.dir.file("a.txt"), "x\nKEY\n");
    WriteBytes(w.dir.file("b.csv"), "KEY\n");
    TFrmManyFiles form;
    auto* BitBtn1 = Control<QPushButton>(form, "BitBtn1");
    EXPECT_EQ(form.windowTitle(), "Insert into many files");
    Control<QLabel>(form, "LblFolder")->setText(ToQString(appState().WorkFolder + "/"));

    QTest::mouseClick(BitBtn1, Qt::LeftButton);
    ASSERT_EQ(w.doubles.dialogs.messages.size(), 1u);
    EXPECT_NE(w.doubles.dialogs.messages[0].text.find("key string cannot be empty"), std::string::npos);

    Control<QLineEdit>(form, "EdKey")->setText("KEY");
    Control<QPlainTextEdit>(form, "MemoText")->setPlainText("one\ntwo\n");
    Control<QCheckBox>(form, "ChkBefore")->setChecked(true);
    Control<QLineEdit>(form, "EdExt")->setText("TXT");
    QTest::mouseClick(BitBtn1, Qt::LeftButton);
    ASSERT_EQ(w.doubles.dialogs.messages.size(), 2u);
    EXPECT_NE(
        w.doubles.dialogs.messages[1].text.find(
            "files found were: 1  The total \"Before\" situations found were: 2  The total \"After\" situations found were: 0)"),
        std::string::npos);
    EXPECT_EQ(ReadBytes(w.dir.file("new_a.txt")), "x\r\none\r\ntwo\r\nKEY\r\n");
    EXPECT_FALSE(std::filesystem::exists(w.dir.file("new_b.csv")));
    EXPECT_FALSE(FrmProgressWindow->isVisible());
}
