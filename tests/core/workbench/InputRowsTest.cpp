#include "core/workbench/InputRows.h"

#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace rs;
using rs::test::Lines;
using rs::test::ListRows;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {
void Load(InputRows& input, const std::string& path, bool complete = true) {
    input.startLoad(path).loadFile(path);
    input.finishLoad(complete);
}
}  // namespace

TEST(InputRows, LendsTheLoadedRowsOnlyWhileTheFileIsAsLoaded) {
    TempDir dir;
    const std::string a = dir.file("a.txt");
    WriteBytes(a, "one\ntwo\n");
    InputRows input;
    Load(input, a);
    ASSERT_TRUE(input.canLend(a));
    input.lend();
    EXPECT_EQ(ListRows(input.ListInput), (Lines{"one", "two"}));
    EXPECT_EQ(&input.loaded(), &input.ListInput);
    input.lend();  // a second dispatch keeps them lent
    EXPECT_EQ(ListRows(input.ListInput), (Lines{"one", "two"}));

    // Rewritten since the load: the caller reads it; the loaded rows go back to the finder.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WriteBytes(a, "uno\ndos\n");
    EXPECT_FALSE(input.canLend(a));
    input.unlend().loadFile(a);
    EXPECT_EQ(ListRows(input.loaded()), (Lines{"one", "two"}));
    EXPECT_EQ(ListRows(input.ListInput), (Lines{"uno", "dos"}));

    // Another path, or a load that did not finish, is never lent.
    EXPECT_FALSE(input.canLend(dir.file("b.txt")));
    Load(input, a, false);
    EXPECT_FALSE(input.canLend(a));
}

TEST(InputRows, ANewLoadKeepsTheRowsOfTheLastDispatch) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "a\n");
    WriteBytes(dir.file("b.txt"), "b\n");
    InputRows input;
    Load(input, dir.file("a.txt"));
    ASSERT_TRUE(input.canLend(dir.file("a.txt")));
    input.lend();
    Load(input, dir.file("b.txt"));
    EXPECT_EQ(ListRows(input.ListInput), Lines{"a"});
    EXPECT_EQ(ListRows(input.loaded()), Lines{"b"});
    ASSERT_TRUE(input.canLend(dir.file("b.txt")));
    input.lend();
    EXPECT_EQ(ListRows(input.ListInput), Lines{"b"});
}
