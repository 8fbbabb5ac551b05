#include "gui/platform/QtShell.h"

#include "gui/platform/QtText.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace rs {

namespace {

// Runs the desktop opener on target without blocking the window and reports its exit status:
// 0 success, 2 file not found, anything else (or no opener at all) a failure. An opener still
// running after graceMs has found a viewer (some wait for the viewer to close, and the user is not
// kept waiting for that); should it fail after all, the failure is reported then.
void RunOpener(const QString& target, ShellDone done, int graceMs) {
    // Not owned by anything: an opener still running when the program ends (it may be running
    // the viewer itself) is left alone instead of being killed with its QProcess.
    auto* process = new QProcess;
    process->setProgram(QStringLiteral("xdg-open"));
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    struct Pending {
        ShellDone done;
        bool answered = false;
    };
    auto pending = std::make_shared<Pending>(Pending{std::move(done)});
    auto report = [pending](ShellResult r) {
        if (pending->answered && r == ShellResult::Ok) return;
        pending->answered = true;
        pending->done(r);
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        report(ShellResult::Failed);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, report](int code, QProcess::ExitStatus st) {
                         report(st != QProcess::NormalExit ? ShellResult::Failed
                                : code == 0                ? ShellResult::Ok
                                : code == 2                ? ShellResult::FileNotFound
                                                           : ShellResult::Failed);
                         process->deleteLater();
                     });
    QTimer::singleShot(graceMs, process, [report] { report(ShellResult::Ok); });
    process->start();
}

}  // namespace

// Local paths reach the opener absolute: it takes a relative one that starts like "name:" for a web
// address.
void QtShell::open(const std::string& target, bool, ShellDone done) {
    const QFileInfo file(ToQString(target));
    if (!file.exists()) return done(ShellResult::FileNotFound);
    RunOpener(file.absoluteFilePath(), std::move(done), graceMs_);
}

void QtShell::openFolder(const std::string& folder, ShellDone done) {
    const QFileInfo dir(ToQString(folder));
    if (!dir.isDir()) return done(ShellResult::FileNotFound);
    RunOpener(dir.absoluteFilePath(), std::move(done), graceMs_);
}

}  // namespace rs
