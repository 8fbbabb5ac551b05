#include "QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

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

ShellResult QtShell::open(const std::string& target, bool) {
    QUrl url = QUrl(Q(target));
    if (url.scheme().size() <= 1) {  // a plain path (a one-letter "scheme" would be a drive)
        if (!QFileInfo::exists(Q(target))) return ShellResult::FileNotFound;
        url = QUrl::fromLocalFile(Q(target));
    }
    return QDesktopServices::openUrl(url) ? ShellResult::Ok : ShellResult::Failed;
}

ShellResult QtShell::openFolder(const std::string& folder) {
    if (!QFileInfo(Q(folder)).isDir()) return ShellResult::FileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(folder))) ? ShellResult::Ok : ShellResult::Failed;
}

}  // namespace rs
