#include "core/workbench/Progress.h"
#include "core/workbench/Publish.h"
#include "core/workbench/UGlobal.h"
#include "tests/support/Doubles.h"

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

namespace {
struct Recorder : Progress {
    void start(std::string_view t) override { texts.emplace_back(t); }
    void update(std::string_view t) override { texts.emplace_back(t); }
    void end() override { ended = true; }
    std::vector<std::string> texts;
    bool ended = false;
};
}  // namespace

TEST(PercentReporter, ShowsEveryChangeOnceAndTracksProgressPercent) {
    // Feed every row of a long run and compare with the percentage worked out row by row.
    for (int total : {1, 3, 8, 200, 997, 100000}) {
        Recorder rec;
        PercentReporter rep(rec, kPrefixProcessing, total);
        std::vector<std::string> expected;
        int last = -1;
        for (int k = 1; k <= total; ++k) {
            rep.row(k);
            int p = PercentOf(k, total);
            if (p != last) expected.push_back("Processing. Please be patient ... " + std::to_string(p) + "% complete");
            last = p;
            ASSERT_EQ(ProgressPercent, p) << "k=" << k << " total=" << total;
        }
        EXPECT_EQ(rec.texts, expected) << total;
    }
}

TEST(PercentReporter, ZeroDivisorKeepsTheStartText) {
    Recorder rec;
    PercentReporter rep(rec, kPrefixProcessing, 0);
    for (int k = 1; k < 10; ++k) rep.row(k);
    EXPECT_TRUE(rec.texts.empty());
}

TEST(Publish, ShellFailureNamesTheFullPath) {
    rs::test::DoublesScope doubles;
    ResultsFileName = "/home/u/.local/share/Rowsmith/Results.txt";
    PublishResultsFile();
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    ASSERT_EQ(doubles.shell.opened.size(), 1u);
    EXPECT_EQ(doubles.shell.opened[0], ResultsFileName);

    doubles.shell.result = ShellResult::Failed;
    PublishResultsFile();
    PublishResultsFile(kPublishCompare);
    PublishResultsFile(kPublishCombine);
    EXPECT_EQ(doubles.dialogs.texts(),
              (std::vector<std::string>{
                  "The new file has been created with your changes : " + ResultsFileName,
                  "The compare results are located here : " + ResultsFileName,
                  "The new file has been created : " + ResultsFileName}));
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Rowsmith");
}

TEST(WorkFolder, CreatedOnceAndReportedWhenImpossible) {
    rs::test::TempDir dir;
    EXPECT_TRUE(PrepareWorkFolder(dir.path()));
    EXPECT_EQ(WorkFolder, dir.path() + "/Rowsmith");
    EXPECT_EQ(ResultsFileName, dir.path() + "/Rowsmith/Results.txt");
    EXPECT_TRUE(PrepareWorkFolder(dir.path()));  // already there

    rs::test::WriteBytes(dir.file("blocked"), "a file in the way");
    rs::test::TempDir other;
    EXPECT_FALSE(PrepareWorkFolder(dir.file("blocked")));
}

TEST(BusyScope, RefusesASecondRun) {
    BusyScope outer;
    ASSERT_TRUE(outer.acquired());
    {
        BusyScope inner;
        EXPECT_FALSE(inner.acquired());
    }
    EXPECT_TRUE(OperationRunning);
}
