// Start-up: the forms are created in a fixed order, the main window first.

#include "compare/UMerge.h"
#include "filetools/UManyFiles.h"
#include "platform/QtPlatform.h"
#include "workbench/UAbout.h"
#include "workbench/UDups.h"
#include "workbench/UExtract.h"
#include "workbench/UFirst.h"
#include "workbench/UGlobalForm.h"
#include "workbench/UProgressWindow.h"
#include "workbench/URemove.h"
#include "workbench/UResults.h"
#include "workbench/USecond.h"
#include "workbench/UTemplate.h"
#include "workbench/Uposition.h"

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
