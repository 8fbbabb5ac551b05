// What only a real display shows: pasting from the X11 clipboard. Runs under xvfb-run.
#include "gui/platform/QtMemo.h"

#include "core/workbench/AppState.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/Desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace rs;
using rs::test::Control;
using rs::test::Desktop;
using rs::test::WaitFor;

TEST_F(Desktop, PasteTakesOnlyTextAndSurvivesAnEmptyClipboard) {
    auto* Memo1 = Control<QPlainTextEdit>(*first, "Memo1");
    QClipboard* clipboard = QGuiApplication::clipboard();
    test::WriteBytes(home.file("a.txt"), "a\n");
    doubles.dialogs.fileAnswers = {home.file("a.txt")};
    first->CmdSelectClick();

    // No owner, no formats: the memo stays empty and the chosen file stays the input.
    clipboard->clear();
    ASSERT_TRUE(WaitFor([&] { return clipboard->mimeData() && clipboard->mimeData()->formats().isEmpty(); }));
    first->CmdPasteClick();
    EXPECT_EQ(Memo(), "");
    Memo1->setFocus();
    QTest::keyClick(Memo1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Memo(), "");
    EXPECT_EQ(first->CurrentInput(), home.file("a.txt"));

    // A picture is no text either.
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    clipboard->setMimeData(picture);
    first->CmdPasteClick();
    EXPECT_EQ(Memo(), "");
    EXPECT_EQ(first->CurrentInput(), home.file("a.txt"));

    // Text is pasted, saved and becomes the input.
    clipboard->setText(QStringLiteral("one\ntwo"));
    first->CmdPasteClick();
    EXPECT_EQ(Memo(), "one\ntwo");
    EXPECT_EQ(first->CurrentInput(), appState().WorkFolder + "/Temp_paste.txt");
    EXPECT_EQ(test::ReadBytes(appState().WorkFolder + "/Temp_paste.txt"), "one\r\ntwo\r\n");
    EXPECT_TRUE(doubles.dialogs.messages.empty());
}
