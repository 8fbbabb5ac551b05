#include "gui/workbench/UProgressWindow.h"

#include "tests/support/gui/Workbench.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

using namespace rs;

using MainWindowTest = rs::test::FreshHome;

TEST_F(MainWindowTest, ProgressWindowShowsItsTextsAndPicture) {
    TFrmProgressWindow w;
    EXPECT_EQ(w.size(), QSize(406, 147));
    w.start("Loading your data into memory ... Please be patient");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.infoText(), "Loading your data into memory ... Please be patient");
    w.update("Processing. Please be patient ... 50% complete");
    EXPECT_EQ(w.infoText(), "Processing. Please be patient ... 50% complete");
    QImage shot = w.grab().toImage();
    // The corner shows the photograph, not a plain background.
    EXPECT_NE(shot.pixelColor(2, 2), w.palette().color(QPalette::Window));
    w.end();
    EXPECT_FALSE(w.isVisible());
}
