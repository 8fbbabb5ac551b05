#include "core/workbench/AppState.h"

#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace rs;

TEST(WorkFolder, CreatedOnceAndReportedWhenImpossible) {
    rs::test::TempDir dir;
    AppState state;
    EXPECT_TRUE(PrepareWorkFolder(state, dir.path()));
    EXPECT_EQ(state.WorkFolder, dir.path() + "/Rowsmith");
    EXPECT_EQ(state.ResultsFileName, dir.path() + "/Rowsmith/Results.txt");
    EXPECT_TRUE(PrepareWorkFolder(state, dir.path()));  // already there

    // A fresh account: every folder of the data path is made, each the user's alone, and a
    // folder that was there keeps its mode.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    EXPECT_TRUE(PrepareWorkFolder(state, dir.file(".local/share")));
    for (const char* made : {".local", ".local/share", ".local/share/Rowsmith"}) {
        struct stat st {};
        ASSERT_EQ(::stat(dir.file(made).c_str(), &st), 0) << made;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
    struct stat top {};
    ASSERT_EQ(::stat(dir.path().c_str(), &top), 0);
    EXPECT_EQ(top.st_mode & 0777, 0755u);

    rs::test::WriteBytes(dir.file("blocked"), "a file in the way");
    rs::test::TempDir other;
    EXPECT_FALSE(PrepareWorkFolder(state, dir.file("blocked")));
    EXPECT_FALSE(PrepareWorkFolder(state, dir.file("blocked/share")));
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
