#include "core/workbench/AppState.h"

#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

using namespace rs;

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
