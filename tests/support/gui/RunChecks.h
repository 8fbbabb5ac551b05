#pragma once

// Checks shared by the window suites.

#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

namespace rs::test {

// A run that could not write its results file ended in one error box naming the file, published
// nothing, closed the progress window and let the next run start.
inline void ExpectResultsFileErrorEndedRun(const DoublesScope& doubles) {
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_NE(doubles.dialogs.messages[0].text.find(appState().ResultsFileName), std::string::npos);
    EXPECT_TRUE(doubles.shell.opened.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_FALSE(appState().OperationRunning);
}

}  // namespace rs::test
