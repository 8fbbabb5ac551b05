#include "gui/workbench/RunGuarded.h"

#include "core/platform/FileError.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/gui/Workbench.h"

#include <gtest/gtest.h>

using namespace rs;

using MainWindowTest = rs::test::FreshHome;

TEST_F(MainWindowTest, GuardShowsFileErrorsAndClosesTheProgressWindow) {
    FrmProgressWindow->start("Processing. Please be patient...");
    ASSERT_TRUE(FrmProgressWindow->isVisible());
    bool ran = RunGuarded(
        [] { throw FileError("/no/such/Results.txt", "Cannot create file", "Permission denied"); });
    EXPECT_FALSE(ran);
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_NE(doubles.dialogs.messages[0].text.find("/no/such/Results.txt"), std::string::npos);
    EXPECT_NE(doubles.dialogs.messages[0].text.find("Permission denied"), std::string::npos);
    EXPECT_FALSE(appState().OperationRunning);

    // While one run is going a second one is refused quietly.
    int inner = 0;
    RunGuarded([&] { EXPECT_FALSE(RunGuarded([&] { ++inner; })); });
    EXPECT_EQ(inner, 0);
}
