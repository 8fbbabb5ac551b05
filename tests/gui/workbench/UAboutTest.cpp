#include "gui/workbench/UAbout.h"

#include "tests/support/gui/Controls.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace rs;

TEST(AboutBox, TextsAreLoadedAtCreationAndExitEndsTheModalLoop) {
    if (!FrmAbout) FrmAbout = new TFrmAbout;
    auto label = [](const char* name) { return test::Control<QLabel>(*FrmAbout, name); };
    struct {
        QLabel *LblCopy1, *LblCopy2, *LblCopy3, *Label1, *LblInfo1, *LblInfo2, *LblInfo3;
        QPushButton* BitBtn1;
    } c{label("LblCopy1"), label("LblCopy2"),
        label("LblCopy3"), label("Label1"),
        label("LblInfo1"), label("LblInfo2"),
        label("LblInfo3"), test::Control<QPushButton>(*FrmAbout, "BitBtn1")};
    auto* u = &c;
    for (QObject* o : {static_cast<QObject*>(c.LblCopy1), static_cast<QObject*>(c.LblCopy2),
                       static_cast<QObject*>(c.LblCopy3), static_cast<QObject*>(c.Label1),
                       static_cast<QObject*>(c.LblInfo1), static_cast<QObject*>(c.LblInfo2),
                       static_cast<QObject*>(c.LblInfo3), static_cast<QObject*>(c.BitBtn1)})
        ASSERT_NE(o, nullptr);
    EXPECT_EQ(FrmAbout->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(u->LblCopy2->text(), QStringLiteral("Version 2.18 "));
    EXPECT_EQ(u->Label1->text(), QStringLiteral("Disclaimer :"));
    EXPECT_TRUE(u->LblInfo2->text().contains(QStringLiteral("similiar damages")));
    for (QLabel* l : {u->LblCopy1, u->LblCopy3, u->LblInfo1, u->LblInfo3})
        EXPECT_NE(l->text(), QStringLiteral("Test"));

    // Shown twice: the same texts, nothing reloaded.
    const QString first = u->LblCopy1->text();
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, FrmAbout, [u] { u->BitBtn1->click(); });
        FrmAbout->exec();
        EXPECT_FALSE(FrmAbout->isVisible());
        EXPECT_EQ(u->LblCopy1->text(), first);
    }
}
