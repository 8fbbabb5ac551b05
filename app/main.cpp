// Start-up: the forms are created in a fixed order, the main window first.

#include "gui/Forms.h"
#include "gui/platform/InitResources.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtShell.h"
#include "gui/workbench/UFirst.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv) {
    // A write past a file-size limit fails as a full disk does, with an error the run reports,
    // instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
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
