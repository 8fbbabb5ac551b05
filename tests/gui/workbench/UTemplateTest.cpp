#include "gui/workbench/UTemplate.h"

#include "core/platform/Folders.h"
#include "core/workbench/AppState.h"
#include "core/workbench/Links.h"
#include "core/workbench/TemplateLogic.h"
#include "gui/workbench/UProgressWindow.h"
#include "tests/support/Doubles.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/RunChecks.h"
#include "tests/support/gui/WorkScope.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace rs;

namespace {

// The dialog's controls, found by their names.
struct Controls {
    explicit Controls(QWidget* form) : f(form) {}
    QWidget* f;
    QPlainTextEdit* Memo1 = test::Control<QPlainTextEdit>(*f, "Memo1");
    QPlainTextEdit* Memo33 = test::Control<QPlainTextEdit>(*f, "Memo33");
    QPlainTextEdit* Memo6 = test::Control<QPlainTextEdit>(*f, "Memo6");
    QPlainTextEdit* Memo7 = test::Control<QPlainTextEdit>(*f, "Memo7");
    QLineEdit* Edit33 = test::Control<QLineEdit>(*f, "Edit33");
    QLineEdit* Edit6 = test::Control<QLineEdit>(*f, "Edit6");
    QLineEdit* Edit7 = test::Control<QLineEdit>(*f, "Edit7");
    QLabel* Label2 = test::Control<QLabel>(*f, "Label2");
    QLabel* Label33 = test::Control<QLabel>(*f, "Label33");
    QLabel* Label6 = test::Control<QLabel>(*f, "Label6");
    QLabel* Label7 = test::Control<QLabel>(*f, "Label7");
    QPushButton* CmdApply = test::Control<QPushButton>(*f, "CmdApply");
    QPushButton* Button1 = test::Control<QPushButton>(*f, "Button1");
    QPushButton* BitBtn1 = test::Control<QPushButton>(*f, "BitBtn1");
};

class TemplateForm : public ::testing::Test, public test::WorkScope {
protected:
    void SetUp() override {
        if (!FrmTemplate) FrmTemplate = new TFrmTemplate;
        u = std::make_unique<Controls>(FrmTemplate);
        for (QPlainTextEdit* m : {u->Memo1, u->Memo33, u->Memo6, u->Memo7}) m->clear();
        for (QLineEdit* e : {u->Edit33, u->Edit6, u->Edit7}) e->clear();
    }

    void Fill(const char* templ, const char* key1, const char* filler1, const char* key2 = "",
              const char* filler2 = "", const char* key3 = "", const char* filler3 = "") {
        u->Memo1->setPlainText(QString::fromUtf8(templ));
        u->Edit33->setText(QString::fromUtf8(key1));
        u->Memo33->setPlainText(QString::fromUtf8(filler1));
        u->Edit6->setText(QString::fromUtf8(key2));
        u->Memo6->setPlainText(QString::fromUtf8(filler2));
        u->Edit7->setText(QString::fromUtf8(key3));
        u->Memo7->setPlainText(QString::fromUtf8(filler3));
    }

    void Apply() { QTest::mouseClick(u->CmdApply, Qt::LeftButton); }

    std::unique_ptr<Controls> u;
};

}  // namespace

TEST_F(TemplateForm, ApplyWritesEveryCopyAndPublishes) {
    Fill("Dear NAME,\nYour code is CODE.\n", "NAME", "Ann\nBob\n", "CODE", "11\n22");
    Apply();
    EXPECT_EQ(test::ReadCrlfLines(appState().ResultsFileName),
              (std::vector<std::string>{"Dear Ann,", "Your code is 11.", "Dear Bob,", "Your code is 22."}));
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>{appState().ResultsFileName});
    EXPECT_FALSE(doubles.shell.openedMaximised.at(0));
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_FALSE(FrmProgressWindow->isVisible());
    EXPECT_EQ(FrmProgressWindow->infoText().toStdString(), std::string(kTextProcessing));
    // The dialog keeps every box as it was.
    EXPECT_EQ(u->Memo33->toPlainText(), QStringLiteral("Ann\nBob\n"));
    EXPECT_EQ(u->Edit6->text(), QStringLiteral("CODE"));
}

TEST_F(TemplateForm, RefusedRunShowsItsMessageAndTouchesNothing) {
    test::WriteBytes(appState().ResultsFileName, "earlier run\r\n");
    Fill("t", "K", "a", "L", "");
    Apply();
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].text, kTemplateKeyFillerPair);
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Rowsmith");
    EXPECT_EQ(test::ReadBytes(appState().ResultsFileName), "earlier run\r\n");
    EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(TemplateForm, KeysAreTakenAsTypedAndTextKeepsItsCharacters) {
    // A key with a leading space; a filler with a no-break space and accented letters.
    Fill("X1 X2", " X", "\u00a0é\n");
    Apply();
    EXPECT_EQ(test::ReadCrlfLines(appState().ResultsFileName), std::vector<std::string>{"X1\u00a0é2"});
}

TEST_F(TemplateForm, CountLabelsFollowTheirMemoByTheRowRule) {
    auto* fresh = new TFrmTemplate;
    Controls fc(fresh);
    EXPECT_TRUE(fc.Label33->text().isEmpty());
    EXPECT_TRUE(fc.Label6->text().isEmpty());
    EXPECT_TRUE(fc.Label7->text().isEmpty());
    delete fresh;

    u->Memo33->setPlainText(QStringLiteral("a\n\nb\n"));
    EXPECT_EQ(u->Label33->text(), QStringLiteral("Count = 3"));
    u->Memo6->setPlainText(QStringLiteral("x"));
    EXPECT_EQ(u->Label6->text(), QStringLiteral("Count = 1"));
    u->Memo7->setPlainText(QStringLiteral("x"));
    u->Memo7->clear();
    EXPECT_EQ(u->Label7->text(), QStringLiteral("Count = 0"));

    // A line separator inside a block shows as a new line: it is a row break like any other,
    // for the label and for the run alike.
    u->Memo33->setPlainText(QStringLiteral("p") + QChar(QChar::LineSeparator) + QStringLiteral("q"));
    ASSERT_EQ(u->Memo33->document()->blockCount(), 1);
    EXPECT_EQ(u->Label33->text(), QStringLiteral("Count = 2"));
    u->Memo1->setPlainText(QStringLiteral("<K>"));
    u->Edit33->setText(QStringLiteral("K"));
    u->Memo6->clear();
    Apply();
    EXPECT_TRUE(doubles.dialogs.messages.empty());
    EXPECT_EQ(test::ReadCrlfLines(appState().ResultsFileName), (std::vector<std::string>{"<p>", "<q>"}));
}

TEST_F(TemplateForm, ExitEndsTheModalLoopAndKeepsTheBoxes) {
    Fill("t K", "K", "1\n2");
    QTimer::singleShot(0, FrmTemplate, [this] { u->BitBtn1->click(); });
    FrmTemplate->exec();
    EXPECT_FALSE(FrmTemplate->isVisible());
    QTimer::singleShot(0, FrmTemplate, [] { FrmTemplate->close(); });
    FrmTemplate->exec();
    EXPECT_EQ(u->Memo1->toPlainText(), QStringLiteral("t K"));
    EXPECT_EQ(u->Edit33->text(), QStringLiteral("K"));
    EXPECT_EQ(u->Label33->text(), QStringLiteral("Count = 2"));
}

TEST_F(TemplateForm, UnwritableResultsFileEndsInAnErrorBox) {
    appState().ResultsFileName = dir.file("no such folder/Results.txt");
    Fill("t", "K", "a");
    Apply();
    test::ExpectResultsFileErrorEndedRun(doubles);
}

TEST_F(TemplateForm, HiddenHelpButtonOpensTheSamplePage) {
    FrmTemplate->show();
    EXPECT_FALSE(u->Button1->isVisible());
    FrmTemplate->hide();
    doubles.shell.result = ShellResult::FileNotFound;
    FrmTemplate->Button1Click();
    EXPECT_EQ(doubles.shell.opened, std::vector<std::string>{ExecutableFolder() + "/sample.html"});
    EXPECT_TRUE(doubles.shell.openedMaximised.at(0));
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].text, kSampleNotFound);
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Error");
}

TEST_F(TemplateForm, LayoutAndTabOrder) {
    EXPECT_EQ(FrmTemplate->windowTitle(), QStringLiteral("Template File Generator"));
    EXPECT_EQ(FrmTemplate->size(), QSize(848, 482));
    EXPECT_EQ(u->Label2->text(), QStringLiteral("Template Data "));
    EXPECT_TRUE(u->Label2->font().bold() && u->Label2->font().underline());
    const QWidget* order[] = {u->Memo1, u->Edit33, u->Edit6,    u->Edit7,  u->Memo33,
                              u->Memo6, u->Memo7,  u->CmdApply, u->BitBtn1};
    // The next control that Tab reaches: visible, enabled and taking the focus by Tab.
    auto nextTabStop = [](const QWidget* w) {
        QWidget* n = w->nextInFocusChain();
        while (!((n->focusPolicy() & Qt::TabFocus) && n->isVisibleTo(FrmTemplate) && n->isEnabled()))
            n = n->nextInFocusChain();
        return n;
    };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << order[i]->objectName().toStdString();
}
