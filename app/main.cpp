// Start-up: the forms are created in a fixed order, the main window first.

#include "core/platform/TextFile.h"
#include "gui/Forms.h"
#include "gui/platform/InitResources.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtShell.h"
#include "gui/workbench/UFirst.h"

#include <QApplication>

int main(int argc, char** argv) {
    rs::ReportWritesPastTheSizeLimit();
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

    rs::CreateForms();
    rs::FrmFirst->show();
    int rc = QApplication::exec();
    rs::DestroyForms();
    return rc;
}
