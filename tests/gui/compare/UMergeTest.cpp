#include "gui/compare/UMerge.h"

#include "core/platform/Overwrite.h"
#include "core/workbench/AppState.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/WorkScope.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace rs;
using namespace rs::test;

namespace {

class MergeFormTest : public ::testing::Test, public WorkScope {
protected:
    void SetUp() override {
        form = std::make_unique<TFrmMerge>();
        form->show();
    }
    // Chooses File 1 and File 2 through their buttons.
    void choose(const std::string& one, const std::string& two) {
        doubles.dialogs.fileAnswers = {one, two};
        QTest::mouseClick(button("CmdSelect1"), Qt::LeftButton);
        QTest::mouseClick(button("CmdSelect2"), Qt::LeftButton);
    }
    // Controls are found by their object names, as a user's script would.
    QPushButton* button(const char* name) { return Control<QPushButton>(*form, name); }
    QLabel* label(const char* name) { return Control<QLabel>(*form, name); }
    QSpinBox* spin(const char* name) { return Control<QSpinBox>(*form, name); }
    QRadioButton* radio(const char* name) { return Control<QRadioButton>(*form, name); }
    std::string file(const std::string& name, const std::string& bytes) {
        WriteBytes(dir.file(name), bytes);
        return dir.file(name);
    }

    std::unique_ptr<TFrmMerge> form;
};

}  // namespace

TEST_F(MergeFormTest, LayoutAndInitialSettings) {
    EXPECT_EQ(form->windowTitle(), "Compare Files or Merge Files");
    EXPECT_EQ(form->size(), QSize(415, 427));
    EXPECT_EQ(label("Label4")->text(), "Select 2 files, then choose to either merge or compare the 2 files.");
    EXPECT_EQ(button("CmdSelect1")->text(), "File 1");
    EXPECT_EQ(button("CmdSelect2")->text(), "File 2  ");
    EXPECT_TRUE(label("LblFile1")->text().isEmpty());
    EXPECT_TRUE(label("LblFile1")->wordWrap());
    EXPECT_EQ(label("Label1")->text(), "Merge:  File 1 start position");
    EXPECT_EQ(label("Label5")->text(), "Merge:  File 2 start position");
    EXPECT_EQ(label("Label2")->text(), "and end position");
    for (const char* name : {"Spin1", "Spin2", "Spin3", "Spin4"}) {
        QSpinBox* s = spin(name);
        EXPECT_EQ(s->minimum(), 1);
        EXPECT_EQ(s->maximum(), 25000);
        EXPECT_EQ(s->value(), 1);
    }
    EXPECT_EQ(Control<QGroupBox>(*form, "GroupBox2")->title(), "Merge: File Output:");
    EXPECT_EQ(radio("RadFirst")->text(), "Results show only \"File 1\" data");
    EXPECT_EQ(radio("RadMismatch")->text(), "Mismatch: Keep only mismatching data");
    EXPECT_EQ(button("CmdMerge")->toolTip(), "Merge 2 files into 1 based on selections above");
    EXPECT_EQ(button("CmdCompare")->toolTip(), "Compare 2 files (Ignore all merge options)");
    EXPECT_TRUE(button("CmdReturn")->isDefault());
    EXPECT_EQ(button("CmdMerge")->font().family(), "Arial");
    EXPECT_FALSE(button("CmdMerge")->icon().isNull());

    // Mode and output are two radio groups of their own.
    EXPECT_TRUE(radio("RadMatch")->isChecked());
    EXPECT_TRUE(radio("RadFirst")->isChecked());
    // A click on the indicator, where the button takes it.
    QTest::mouseClick(radio("RadMismatch"), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(radio("RadBoth"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_FALSE(radio("RadMatch")->isChecked());
    EXPECT_TRUE(radio("RadMismatch")->isChecked());
    EXPECT_TRUE(radio("RadBoth")->isChecked());
    EXPECT_FALSE(radio("RadFirst")->isChecked());
    QTest::mouseClick(radio("RadMatch"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(radio("RadBoth")->isChecked());
    EXPECT_FALSE(radio("RadMismatch")->isChecked());
}

TEST_F(MergeFormTest, CompareChosenFilesWritesAndOpensTheReport) {
    std::string one = file("before.txt", "b\na\n\na\n"), two = file("after.txt", "a\nc\n");
    choose(one, two);
    EXPECT_EQ(doubles.dialogs.fileFilters, (std::vector<std::string>{"*|*.*|*.*", "*|*.*|*.*"}));
    EXPECT_EQ(label("LblFile1")->text().toStdString(), one);
    EXPECT_EQ(label("LblFile2")->text().toStdString(), two);

    QTest::mouseClick(button("CmdCompare"), Qt::LeftButton);
    auto lines = ReadCrlfLines(appState().ResultsFileName);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[2], "Before File: " + one);
    EXPECT_EQ(lines[3], "After File : " + two);
    EXPECT_EQ(lines[7], "Before File has :4 lines.");
    EXPECT_EQ(lines[10], "After File has  :0 blank lines.");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.end()),
              (std::vector<std::string>{"Before File - Line No Longer Found:", "a", " ",
                                        "Before File - Line No Longer Found:", "b", " ",
                                        "After File - New Line Found:", "c", " "}));
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>{appState().ResultsFileName});
    EXPECT_TRUE(doubles.dialogs.messages.empty());

    // A shell failure names the report; the file stays complete.
    doubles.shell.result = ShellResult::Failed;
    QTest::mouseClick(button("CmdCompare"), Qt::LeftButton);
    EXPECT_EQ(doubles.dialogs.texts(), std::vector<std::string>{"The compare results are located here : " +
                                                                appState().ResultsFileName});
    EXPECT_EQ(ReadCrlfLines(appState().ResultsFileName).size(), 23u);
}

TEST_F(MergeFormTest, LinesAreThoseOfTheChoiceNotOfTheFileNow) {
    std::string one = file("one.txt", "x\n");
    choose(one, one);
    WriteBytes(one, "y\n");
    // A cancelled choice keeps File 2 as it was loaded.
    doubles.dialogs.fileAnswers = {""};
    QTest::mouseClick(button("CmdSelect2"), Qt::LeftButton);
    EXPECT_EQ(label("LblFile2")->text().toStdString(), one);
    QTest::mouseClick(button("CmdCompare"), Qt::LeftButton);
    EXPECT_EQ(ReadCrlfLines(appState().ResultsFileName).size(), 14u);
}

TEST_F(MergeFormTest, RunsWithoutTwoFilesOnlyComplain) {
    WriteBytes(appState().ResultsFileName, "earlier");
    doubles.dialogs.fileAnswers = {file("one.txt", "x\n")};
    QTest::mouseClick(button("CmdSelect1"), Qt::LeftButton);
    spin("Spin1")->setValue(5);  // a bad range as well: only the first message shows
    QTest::mouseClick(button("CmdCompare"), Qt::LeftButton);
    QTest::mouseClick(button("CmdMerge"), Qt::LeftButton);
    EXPECT_EQ(doubles.dialogs.texts(), (std::vector<std::string>{kMsgCompareNoFiles, kMsgMergeNoFiles}));
    EXPECT_EQ(ReadBytes(appState().ResultsFileName), "earlier");
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(MergeFormTest, MergeReadsEverySettingFromTheControls) {
    choose(file("one.txt", "01apple\n02pear\n\n01plum\n"), file("two.txt", "zz01red\nzz03blue\n"));
    spin("Spin1")->setValue(1);
    spin("Spin2")->setValue(2);
    spin("Spin3")->setValue(3);
    spin("Spin4")->setValue(4);
    radio("RadBoth")->setChecked(true);
    QTest::mouseClick(button("CmdMerge"), Qt::LeftButton);
    auto lines = ReadCrlfLines(appState().ResultsFileName);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[4], "Merging based on File 1 positions between 1 and 2");
    EXPECT_EQ(lines[5], "Merging based on File 2 positions between 3 and 4");
    EXPECT_EQ(lines[6], "Merge includes lines from BOTH files.");
    EXPECT_EQ(lines[7], "Merge shows lines where data positions MATCH.");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 11, lines.end()),
              (std::vector<std::string>{"01apple", "zz01red", "01plum"}));
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>{appState().ResultsFileName});

    radio("RadMismatch")->setChecked(true);
    radio("RadSecond")->setChecked(true);
    doubles.shell.result = ShellResult::Failed;
    QTest::mouseClick(button("CmdMerge"), Qt::LeftButton);
    lines = ReadCrlfLines(appState().ResultsFileName);
    EXPECT_EQ(lines.back(), "zz03blue");
    EXPECT_EQ(lines[6], "Merge includes only lines from FILE 2.");
    EXPECT_EQ(doubles.dialogs.texts(),
              std::vector<std::string>{"The new file has been created with your changes : " +
                                       appState().ResultsFileName});

    spin("Spin4")->setValue(5);
    QTest::mouseClick(button("CmdMerge"), Qt::LeftButton);
    EXPECT_EQ(doubles.dialogs.texts().back(), kMsgMergeLengths);
}

TEST_F(MergeFormTest, UnreadableChoiceKeepsTheEarlierFile) {
    std::string one = file("one.txt", "x\n");
    choose(one, one);
    doubles.dialogs.fileAnswers = {dir.file("missing.txt")};
    QTest::mouseClick(button("CmdSelect1"), Qt::LeftButton);
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(label("LblFile1")->text().toStdString(), one);
    EXPECT_EQ(form->File1.ListHidden.size(), 1u);
}

TEST_F(MergeFormTest, TheResultsFileIsNeverOverwrittenAsAnInput) {
    WriteBytes(appState().ResultsFileName, "old report\n");
    choose(appState().ResultsFileName, file("two.txt", "x\n"));
    QTest::mouseClick(button("CmdCompare"), Qt::LeftButton);
    QTest::mouseClick(button("CmdMerge"), Qt::LeftButton);
    auto texts = doubles.dialogs.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], OverwriteRefusalText(appState().ResultsFileName));
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(ReadBytes(appState().ResultsFileName), "old report\n");
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(MergeFormTest, ReturnHidesAndKeepsEverything) {
    std::string one = file("one.txt", "x\n");
    choose(one, one);
    spin("Spin2")->setValue(7);
    QTest::mouseClick(button("CmdReturn"), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(label("LblFile1")->text().toStdString(), one);
    EXPECT_EQ(spin("Spin2")->value(), 7);
    EXPECT_EQ(form->File2.ListHidden.size(), 1u);
}

// Hiding a spin box settles a number still being typed, and the dialog's own destructor hides
// it: the change must reach the form while it is still whole (the sanitizer build checks).
TEST_F(MergeFormTest, ANumberBeingTypedWhenTheFormGoesReachesAWholeForm) {
    spin("Spin1")->setFocus();
    QTest::keyClicks(spin("Spin1"), "30000");  // out of bounds: settled only on leaving the box
    form.reset();
}
