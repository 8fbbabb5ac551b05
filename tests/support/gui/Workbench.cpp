#include "tests/support/gui/Workbench.h"

#include "core/workbench/AppState.h"
#include "gui/Dispatcher.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/gui/Controls.h"

#include <QListWidget>
#include <QPlainTextEdit>

#include <cstdlib>

namespace rs::test {

void FreshHome::SetUp() {
    setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
}

void Workbench::SetUp() {
    FreshHome::SetUp();
    if (!FrmPosition) FrmPosition = new TFrmPosition;
    if (!FrmInsert) FrmInsert = new TFrmInsert;
    if (!FrmRemove) FrmRemove = new TFrmRemove;
    if (!FrmExtract) FrmExtract = new TFrmExtract;
    if (!FrmDups) FrmDups = new TFrmDups;
    for (QWidget* w : {static_cast<QWidget*>(FrmPosition), static_cast<QWidget*>(FrmInsert),
                       static_cast<QWidget*>(FrmRemove), static_cast<QWidget*>(FrmExtract),
                       static_cast<QWidget*>(FrmDups)})
        w->hide();
    appState().input.ListInput.clear();
    first = std::make_unique<TFrmFirst>();
    FrmFirst = first.get();
    InstallDispatcher(*first);
}

void Workbench::TearDown() { FrmFirst = nullptr; }

void Workbench::Choose(const std::string& entry) {
    auto* ListOptions = Control<QListWidget>(*first, "ListOptions");
    auto items = ListOptions->findItems(QString::fromStdString(entry), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << entry;
    ListOptions->setCurrentItem(items[0]);
}

void Workbench::Run(const std::string& entry) {
    Choose(entry);
    first->CmdMakeChangesClick();
}

void Workbench::Type(const QString& text) { Control<QPlainTextEdit>(*first, "Memo1")->setPlainText(text); }

std::string Workbench::Results() { return ReadBytes(appState().ResultsFileName); }

}  // namespace rs::test
