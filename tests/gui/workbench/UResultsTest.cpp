#include "gui/workbench/UResults.h"

#include "tests/support/gui/Workbench.h"

#include <gtest/gtest.h>

using namespace rs;

using MainWindowTest = rs::test::FreshHome;

TEST_F(MainWindowTest, ResultsWindowReplacesItsLines) {
    TFrmResults r;
    r.showLines({"one", "two"});
    EXPECT_TRUE(r.isVisible());
    r.showLines({"three"});
    EXPECT_EQ(r.lines(), QStringList{"three"});
    EXPECT_EQ(r.windowTitle(), "Your Results");
    r.CmdExitClick();
    EXPECT_FALSE(r.isVisible());
}
