#include "core/workbench/Progress.h"

#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
