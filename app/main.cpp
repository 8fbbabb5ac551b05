// Start-up: the forms are created in a fixed order, the main window first.

#include "platform/QtPlatform.h"
#include "workbench/UFirst.h"
#include "workbench/UGlobalForm.h"
#include "workbench/UProgressWindow.h"
#include "workbench/UResults.h"

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
    FrmGlobal = new TFrmGlobal;
    FrmProgressWindow = new TFrmProgressWindow;
    FrmResults = new TFrmResults;

    FrmFirst->show();
    int rc = QApplication::exec();

    delete FrmResults;
    delete FrmProgressWindow;
    delete FrmGlobal;
    delete FrmFirst;
    return rc;
}
