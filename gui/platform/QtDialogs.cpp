#include "gui/platform/QtDialogs.h"

#include "gui/platform/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace rs {

void QtDialogs::message(const std::string& text, MsgKind kind, const std::string& caption) {
    // No parent: the box is centred on the screen, not on whichever window is active.
    QMessageBox box;
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    box.setIcon(kind == MsgKind::Error     ? QMessageBox::Critical
                : kind == MsgKind::Warning ? QMessageBox::Warning
                                           : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::string QtDialogs::inputBox(const std::string& caption, const std::string& prompt) {
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(ToQString(caption));
    dlg.setLabelText(ToQString(prompt));
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setTextValue(QString());
    // The edit box exists once the dialog has its text mode; answers hold at most 255 characters.
    for (QLineEdit* edit : dlg.findChildren<QLineEdit*>()) edit->setMaxLength(255);
    if (dlg.exec() != QDialog::Accepted) return {};
    return ToUtf8(dlg.textValue().left(255));
}

QString ToQtFilter(const std::string& filter) {
    QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        if (!name.contains(QLatin1Char('(')))
            name += QStringLiteral(" (") + pattern + QLatin1Char(')');
        else
            name = name.left(name.indexOf(QLatin1Char('('))) + QLatin1Char('(') + pattern + QLatin1Char(')');
        out << name;
    }
    return out.join(QStringLiteral(";;"));
}

std::string QtDialogs::chooseFile(const std::string& filter, const std::string& presetName) {
    QString start = lastFolder_;
    if (!presetName.empty() && presetName.find('*') == std::string::npos)
        start = start.isEmpty() ? ToQString(presetName) : start + QLatin1Char('/') + ToQString(presetName);
    QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), start, ToQtFilter(filter));
    if (chosen.isEmpty()) return {};
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return ToUtf8(chosen);
}

}  // namespace rs
