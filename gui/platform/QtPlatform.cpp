#include "gui/platform/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace rs {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void QtDialogs::message(const std::string& text, MsgKind kind, const std::string& caption) {
    // No parent: the box is centred on the screen, not on whichever window is active.
    QMessageBox box;
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    box.setIcon(kind == MsgKind::Error     ? QMessageBox::Critical
                : kind == MsgKind::Warning ? QMessageBox::Warning
                                           : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::string QtDialogs::inputBox(const std::string& caption, const std::string& prompt) {
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(Q(caption));
    dlg.setLabelText(Q(prompt));
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setTextValue(QString());
    // The edit box exists once the dialog has its text mode; answers hold at most 255 characters.
    for (QLineEdit* edit : dlg.findChildren<QLineEdit*>()) edit->setMaxLength(255);
    if (dlg.exec() != QDialog::Accepted) return {};
    return dlg.textValue().left(255).toStdString();
}

QString ToQtFilter(const std::string& filter) {
    QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        if (!name.contains(QLatin1Char('('))) name += QStringLiteral(" (") + pattern + QLatin1Char(')');
        else name = name.left(name.indexOf(QLatin1Char('('))) + QLatin1Char('(') + pattern + QLatin1Char(')');
        out << name;
    }
    return out.join(QStringLiteral(";;"));
}

std::string QtDialogs::chooseFile(const std::string& filter, const std::string& presetName) {
    QString start = lastFolder_;
    if (!presetName.empty() && presetName.find('*') == std::string::npos)
        start = start.isEmpty() ? Q(presetName) : start + QLatin1Char('/') + Q(presetName);
    QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), start, ToQtFilter(filter));
    if (chosen.isEmpty()) return {};
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

namespace {

// A desktop opener still running after this long has found a viewer: some openers wait for
// the viewer to close, and the user is not kept waiting for that.
constexpr int kOpenerGraceMs = 5000;

// Runs the desktop opener on target without blocking the window and reports its exit status:
// 0 success, 2 file not found, anything else (or no opener at all) a failure.
void RunOpener(const QString& target, ShellDone done) {
    // Not owned by anything: an opener still running when the program ends (it may be running
    // the viewer itself) is left alone instead of being killed with its QProcess.
    auto* process = new QProcess;
    process->setProgram(QStringLiteral("xdg-open"));
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    auto pending = std::make_shared<ShellDone>(std::move(done));
    auto report = [pending](ShellResult r) {
        if (!*pending) return;
        ShellDone d = std::move(*pending);
        *pending = nullptr;
        d(r);
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        report(ShellResult::Failed);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::finished, process, [process, report](int code, QProcess::ExitStatus st) {
        report(st != QProcess::NormalExit ? ShellResult::Failed
               : code == 0                ? ShellResult::Ok
               : code == 2                ? ShellResult::FileNotFound
                                          : ShellResult::Failed);
        process->deleteLater();
    });
    QTimer::singleShot(kOpenerGraceMs, process, [report] { report(ShellResult::Ok); });
    process->start();
}

}  // namespace

void QtShell::open(const std::string& target, bool, ShellDone done) {
    QUrl url = QUrl(Q(target));
    if (url.scheme().size() <= 1) {  // a plain path (a one-letter "scheme" would be a drive)
        if (!QFileInfo::exists(Q(target))) return done(ShellResult::FileNotFound);
        url = QUrl::fromLocalFile(Q(target));
    }
    RunOpener(url.isLocalFile() ? url.toLocalFile() : url.toString(), std::move(done));
}

void QtShell::openFolder(const std::string& folder, ShellDone done) {
    if (!QFileInfo(Q(folder)).isDir()) return done(ShellResult::FileNotFound);
    RunOpener(Q(folder), std::move(done));
}

}  // namespace rs
