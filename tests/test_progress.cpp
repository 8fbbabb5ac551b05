#include "core/workbench/Progress.h"
#include "core/workbench/AppState.h"
#include "core/workbench/RunOutcome.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

using namespace rs;

TEST(Percent, RoundsHalfToEvenInLongDouble) {
    std::vector<int> fromOne, fromZero;
    for (int k = 1; k <= 8; ++k) fromOne.push_back(PercentOf(k, 8));
    for (int k = 0; k < 8; ++k) fromZero.push_back(PercentOf(k, 8));
    EXPECT_EQ(fromOne, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(fromZero, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88}));
    EXPECT_EQ(PercentOf(23, 40), 58);
    EXPECT_EQ(PercentOf(59, 200), 29);
    EXPECT_EQ(PercentOf(1, 200), 0);
    EXPECT_EQ(PercentOf(12, 8), 150);  // a file that grew since it was loaded
}

TEST(PercentReporter, ShowsEveryChangeOnceAndTracksProgressPercent) {
    // Feed every row of a long run and compare with the percentage worked out row by row.
    for (int total : {1, 3, 8, 200, 997, 100000}) {
        rs::test::RecordingProgress rec;
        RunCounters counters;
        counters.InputLineCount = total;
        PercentReporter rep(rec, kPrefixProcessing, counters);
        std::vector<std::string> expected;
        int last = -1;
        for (int k = 1; k <= total; ++k) {
            rep.row(k);
            int p = PercentOf(k, total);
            if (p != last) expected.push_back(rs::test::ProcessingUpdate(p));
            last = p;
            ASSERT_EQ(counters.ProgressPercent, p) << "k=" << k << " total=" << total;
        }
        EXPECT_EQ(rec.shown(), expected) << total;
    }
}

TEST(PercentReporter, ZeroDivisorKeepsTheStartText) {
    rs::test::RecordingProgress rec;
    RunCounters counters;
    PercentReporter rep(rec, kPrefixProcessing, counters);
    for (int k = 1; k < 10; ++k) rep.row(k);
    EXPECT_TRUE(rec.shown().empty());
}

TEST(Finish, ShowsMessagesThenOpensThenTellsWhereWhenTheShellFails) {
    rs::test::DoublesScope doubles;
    const std::string results = "/home/u/.local/share/Rowsmith/Results.txt";
    Finish(RunOutcome::Publish(results, {"Total rows removed = 3"}));
    Finish(RunOutcome::Messages({"counted"}));
    EXPECT_EQ(doubles.events, (std::vector<std::string>{"message:Total rows removed = 3", "open:" + results,
                                                         "message:counted"}));
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Rowsmith");

    doubles.events.clear();
    doubles.shell.result = ShellResult::Failed;
    Finish(RunOutcome::Publish(results));
    Finish(RunOutcome::Publish(results, {}, kPublishCompare));
    Finish(RunOutcome::Publish(results, {}, kPublishCombine));
    Finish(RunOutcome::OpenFolder("/data/", {"summary"}));
    EXPECT_EQ(doubles.events,
              (std::vector<std::string>{
                  "open:" + results, "message:The new file has been created with your changes : " + results,
                  "open:" + results, "message:The compare results are located here : " + results,
                  "open:" + results, "message:The new file has been created : " + results, "folder:/data/",
                  "message:Your files are located at: /data/", "message:summary"}));
}

TEST(WorkFolder, CreatedOnceAndReportedWhenImpossible) {
    rs::test::TempDir dir;
    AppState state;
    EXPECT_TRUE(PrepareWorkFolder(state, dir.path()));
    EXPECT_EQ(state.WorkFolder, dir.path() + "/Rowsmith");
    EXPECT_EQ(state.ResultsFileName, dir.path() + "/Rowsmith/Results.txt");
    EXPECT_TRUE(PrepareWorkFolder(state, dir.path()));  // already there

    rs::test::WriteBytes(dir.file("blocked"), "a file in the way");
    rs::test::TempDir other;
    EXPECT_FALSE(PrepareWorkFolder(state, dir.file("blocked")));
}

TEST(BusyScope, RefusesASecondRun) {
    rs::test::DoublesScope doubles;
    BusyScope outer;
    ASSERT_TRUE(outer.acquired());
    {
        BusyScope inner;
        EXPECT_FALSE(inner.acquired());
    }
    EXPECT_TRUE(appState().OperationRunning);
}
