#include "core/platform/FileError.h"
#include "core/workbench/AppState.h"
#include "core/workbench/OperationList.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/UResults.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace rs;
using rs::test::Control;

namespace {
// Each test gets its own application-data folder and fresh doubles.
struct MainWindowTest : ::testing::Test {
    test::TempDir home;
    test::DoublesScope doubles;
    void SetUp() override {
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
    }
};

QStringList Items(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}
}  // namespace

TEST_F(MainWindowTest, StartUpPreparesWorkFolderAndOperationList) {
    TFrmFirst first;
    auto* ListOptions = Control<QListWidget>(first, "ListOptions");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "/Rowsmith"));
    EXPECT_EQ(appState().WorkFolder, home.path() + "/Rowsmith");
    EXPECT_EQ(appState().ResultsFileName, home.path() + "/Rowsmith/Results.txt");
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_TRUE(Control<QCheckBox>(first, "Chkposition")->isChecked());

    // Shown order, by number in the order of adding.
    const int shown[] = {21, 19, 22, 5, 6, 14, 18, 12, 9, 4, 15, 10, 1, 2, 20, 13, 3, 16, 17, 11, 7, 8};
    QStringList expected;
    for (int n : shown) expected << QString::fromStdString(kOperationEntries[n - 1]);
    EXPECT_EQ(Items(ListOptions), expected);
    EXPECT_EQ(ListOptions->currentRow(), 0);
    EXPECT_EQ(ListOptions->currentItem()->text(), "BULK COMBINE   - Bulk - Combine many files into 1 file");
    EXPECT_EQ(first.windowTitle(), "Rowsmith");
    EXPECT_FALSE(Control<QLabel>(first, "LblFileName")->isVisibleTo(&first));
    EXPECT_FALSE(Control<QGroupBox>(first, "GroupBox2")->isVisibleTo(&first));
    EXPECT_FALSE(Control<QListWidget>(first, "ListBox1")->isVisibleTo(&first));
    EXPECT_EQ(Control<QPushButton>(first, "CmdPaste")->icon().cacheKey() != 0, true);

    // A second start finds the folder and says nothing.
    TFrmFirst again;
    EXPECT_TRUE(doubles.dialogs.messages.empty());
}

TEST_F(MainWindowTest, WorkFolderThatCannotBeMadeWarnsAndStartUpGoesOn) {
    test::WriteBytes(home.file("Rowsmith"), "a file in the way");
    TFrmFirst first;
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Warning);
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Warning");
    EXPECT_NE(doubles.dialogs.messages[0].text.find("\"Run as Admin\""), std::string::npos);
    EXPECT_EQ(Control<QListWidget>(first, "ListOptions")->count(), 22);
}

TEST_F(MainWindowTest, EnterOnTheOperationListPressesExit) {
    TFrmFirst first;
    auto* ListOptions = Control<QListWidget>(first, "ListOptions");
    first.show();
    QSignalSpy exitClicks(Control<QPushButton>(first, "BitBtn2"), &QPushButton::clicked);
    ListOptions->setFocus();
    QTest::keyClick(ListOptions, Qt::Key_Return);
    EXPECT_EQ(exitClicks.count(), 1);
    EXPECT_FALSE(first.isVisible());

    // A focused button takes Enter for itself.
    TFrmFirst second;
    auto* CmdClear = Control<QPushButton>(second, "CmdClear");
    second.show();
    QSignalSpy exit2(Control<QPushButton>(second, "BitBtn2"), &QPushButton::clicked);
    CmdClear->setFocus();
    QTest::keyClick(CmdClear, Qt::Key_Return);
    EXPECT_EQ(exit2.count(), 0);
}

TEST_F(MainWindowTest, GuardShowsFileErrorsAndClosesTheProgressWindow) {
    FrmProgressWindow->start("Processing. Please be patient...");
    ASSERT_TRUE(FrmProgressWindow->isVisible());
    bool ran = RunGuarded([] { throw FileError("/no/such/Results.txt", "Cannot create file", "Permission denied"); });
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
