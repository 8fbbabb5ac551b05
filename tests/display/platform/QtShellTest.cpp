// What only a real display shows: the desktop opener's exit status. Runs under xvfb-run, with
// the real QtShell and a stand-in xdg-open first on PATH.
#include "gui/platform/QtShell.h"

#include "core/workbench/RunOutcome.h"
#include "tests/support/gui/Desktop.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace rs;
using rs::test::Desktop;
using rs::test::WaitFor;

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

TEST_F(Desktop, AnOpenerThatFailsAfterTheGracePeriodIsReportedWhenItEnds) {
    QtShell quick(100);  // the grace period
    InstallShell(&quick);
    const std::string results = home.file("Results.txt");
    test::WriteBytes(results, "x\r\n");
    FakeOpener(3, "1");
    Finish(RunOutcome::Publish(results, {}, kPublishCompare));
    QTest::qWait(500);
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    ASSERT_TRUE(WaitFor([&] { return !doubles.dialogs.messages.empty(); }));
    EXPECT_EQ(doubles.dialogs.texts(),
              std::vector<std::string>{"The compare results are located here : " + results});

    // Ok at the end of the grace period, then the failure; a late "file not found" too.
    const std::pair<int, ShellResult> cases[] = {{2, ShellResult::FileNotFound}, {3, ShellResult::Failed}};
    for (auto [status, expected] : cases) {
        FakeOpener(status, "0.5");
        std::vector<ShellResult> answers;
        quick.open(results, false, [&](ShellResult r) { answers.push_back(r); });
        quick.openFolder(home.path(), [&](ShellResult r) { answers.push_back(r); });
        ASSERT_TRUE(WaitFor([&] { return answers.size() == 4; })) << status;
        EXPECT_EQ(answers, (std::vector<ShellResult>{ShellResult::Ok, ShellResult::Ok, expected, expected}))
            << status;
    }
}

TEST_F(Desktop, ARelativePathThatLooksLikeAWebAddressReachesTheOpenerAsALocalPath) {
    const std::string opened = FakeOpener(0);
    const std::filesystem::path folder = home.file("http:/evil.example/x");
    std::filesystem::create_directories(folder);
    test::WriteBytes((folder / "Results.txt").string(), "x\r\n");
    const std::filesystem::path oldFolder = std::filesystem::current_path();
    std::filesystem::current_path(home.path());
    std::vector<std::string> args;
    auto record = [&](ShellResult) { args.push_back(test::ReadBytes(opened)); };
    realShell.open("http://evil.example/x/Results.txt", false, record);
    ASSERT_TRUE(WaitFor([&] { return args.size() == 1; }));
    realShell.openFolder("http://evil.example/x", record);
    ASSERT_TRUE(WaitFor([&] { return args.size() == 2; }));
    std::filesystem::current_path(oldFolder);

    EXPECT_EQ(args, (std::vector<std::string>{(folder / "Results.txt").string(), folder.string()}));
}
