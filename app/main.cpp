// Start-up: the forms are created in a fixed order, the main window first.

#include "gui/Dispatcher.h"
#include "gui/compare/UMerge.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/platform/InitResources.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtShell.h"
#include "gui/workbench/UAbout.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UGlobal.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/UResults.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/UTemplate.h"
#include "gui/workbench/Uposition.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rowsmith"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rowsmith"));
    // The main window's close ends the program even while other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    rs::InitResources();

    rs::QtDialogs dialogs;
    rs::QtShell shell;
    rs::InstallDialogs(&dialogs);
    rs::InstallShell(&shell);

    using namespace rs;
    FrmFirst = new TFrmFirst;
    FrmInsert = new TFrmInsert;
    FrmDups = new TFrmDups;
    FrmMerge = new TFrmMerge;
    FrmExtract = new TFrmExtract;
    FrmPosition = new TFrmPosition;
    FrmGlobal = new TFrmGlobal;
    FrmAbout = new TFrmAbout;
    FrmTemplate = new TFrmTemplate;
    FrmManyFiles = new TFrmManyFiles;
    FrmRemove = new TFrmRemove;
    FrmProgressWindow = new TFrmProgressWindow;
    FrmResults = new TFrmResults;

    InstallDispatcher(*FrmFirst);
    FrmFirst->show();
    int rc = QApplication::exec();

    // Released in the reverse order of creation.
    delete FrmResults;
    delete FrmProgressWindow;
    delete FrmRemove;
    delete FrmManyFiles;
    delete FrmTemplate;
    delete FrmAbout;
    delete FrmGlobal;
    delete FrmPosition;
    delete FrmExtract;
    delete FrmMerge;
    delete FrmDups;
    delete FrmInsert;
    delete FrmFirst;
    return rc;
}
