// What only a real display shows: the X11 clipboard and the desktop opener's exit status.
// Runs under xvfb-run, with the real QtShell and a stand-in xdg-open first on PATH.
#include "core/workbench/AppState.h"
#include "core/workbench/RunOutcome.h"
#include "gui/platform/QtShell.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

using namespace rs;
using rs::test::Control;

namespace {

// Waits for the event loop to bring what cond waits for, at most about five seconds.
template <class Cond>
bool WaitFor(Cond cond) {
    for (int i = 0; i < 500 && !cond(); ++i) QTest::qWait(10);
    return cond();
}

struct Desktop : ::testing::Test {
    test::TempDir home;
    test::DoublesScope doubles;  // records message boxes; the shell is replaced below
    QtShell realShell;
    std::unique_ptr<TFrmFirst> first;
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run this suite under xvfb-run";
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
        if (!FrmPosition) FrmPosition = new TFrmPosition;
        first = std::make_unique<TFrmFirst>();
        FrmFirst = first.get();
        InstallShell(&realShell);
    }
    void TearDown() override {
        FrmFirst = nullptr;
        setenv("PATH", oldPath.c_str(), 1);
    }
    // An xdg-open that records its argument and exits with the given status.
    std::string FakeOpener(int status) {
        const std::string bin = home.file("bin");
        ::mkdir(bin.c_str(), 0755);
        test::WriteBytes(bin + "/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + home.file("opened") +
                                                "\"\nexit " + std::to_string(status) + "\n");
        ::chmod((bin + "/xdg-open").c_str(), 0755);
        setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
        return home.file("opened");
    }
    std::string Memo() const { return Control<QPlainTextEdit>(*first, "Memo1")->toPlainText().toStdString(); }
};

}  // namespace

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

TEST_F(Desktop, AnOpenerThatFailsIsReportedWithThePath) {
    const std::string results = home.file("Results.txt");
    test::WriteBytes(results, "x\r\n");
    for (int status : {0, 3, 4}) {
        const std::string opened = FakeOpener(status);
        doubles.dialogs.messages.clear();
        Finish(RunOutcome::Publish(results, {}, kPublishCompare));
        ASSERT_TRUE(WaitFor([&] { return test::ReadBytes(opened) == results; })) << status;
        if (status == 0) {
            QTest::qWait(100);
            EXPECT_TRUE(doubles.dialogs.messages.empty());
        } else {
            ASSERT_TRUE(WaitFor([&] { return !doubles.dialogs.messages.empty(); })) << status;
            EXPECT_EQ(doubles.dialogs.texts(),
                      std::vector<std::string>{"The compare results are located here : " + results});
        }
        std::remove(opened.c_str());
    }

    // No opener at all is a failure too.
    setenv("PATH", home.file("nowhere").c_str(), 1);
    doubles.dialogs.messages.clear();
    Finish(RunOutcome::Publish(results));
    ASSERT_TRUE(WaitFor([&] { return !doubles.dialogs.messages.empty(); }));
    EXPECT_EQ(doubles.dialogs.texts(),
              std::vector<std::string>{"The new file has been created with your changes : " + results});
}

TEST_F(Desktop, TheOpenersExitStatusIsTheResult) {
    // 2 is the opener's "file not found", which the link buttons report; other failures are failures.
    test::WriteBytes(home.file("page.html"), "<p>x</p>");
    const std::pair<int, ShellResult> cases[] = {
        {0, ShellResult::Ok}, {2, ShellResult::FileNotFound}, {3, ShellResult::Failed}};
    for (auto [status, expected] : cases) {
        FakeOpener(status);
        std::vector<ShellResult> results;
        realShell.open(home.file("page.html"), true, [&](ShellResult r) { results.push_back(r); });
        realShell.openFolder(home.path(), [&](ShellResult r) { results.push_back(r); });
        ASSERT_TRUE(WaitFor([&] { return results.size() == 2; })) << status;
        EXPECT_EQ(results, (std::vector<ShellResult>{expected, expected})) << status;
    }
    // A page that is not there is reported without asking the opener.
    std::vector<ShellResult> results;
    realShell.open(home.file("gone.html"), true, [&](ShellResult r) { results.push_back(r); });
    EXPECT_EQ(results, std::vector<ShellResult>{ShellResult::FileNotFound});
}
