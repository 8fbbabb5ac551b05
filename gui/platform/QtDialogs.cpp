#include "gui/platform/QtDialogs.h"

#include "gui/platform/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>

namespace rs {

namespace {

// Qt's own providers read a file, or ask the desktop to, to find its type and icon.
class NameIconProvider : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        if (info.isRoot()) return QFileIconProvider::icon(Drive);
        if (info.isDir()) return QFileIconProvider::icon(Folder);
        const QIcon themed = QIcon::fromTheme(byName(info).iconName());
        return themed.isNull() ? QFileIconProvider::icon(File) : themed;
    }
    QString type(const QFileInfo& info) const override {
        // For anything but a file the base type depends on the kind alone.
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType mime = byName(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeType byName(const QFileInfo& info) const {
        return mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
    QMimeDatabase mimes_;
};

}  // namespace

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

std::unique_ptr<QFileDialog> MakeFileChooser(QWidget* parent, const QString& start, const QString& qtFilter) {
    // Outlives every chooser: a chooser's model keeps using it until the chooser is gone.
    static NameIconProvider icons;
    auto chooser = std::make_unique<QFileDialog>(parent, QString(), start, qtFilter);
    chooser->setFileMode(QFileDialog::ExistingFile);
    chooser->setSupportedSchemes({QStringLiteral("file")});
    // Set before the event loop runs: the folder is listed from there.
    chooser->setIconProvider(&icons);
    return chooser;
}

std::string QtDialogs::chooseFile(const std::string& filter, const std::string& presetName) {
    QString start = lastFolder_;
    if (!presetName.empty() && presetName.find('*') == std::string::npos)
        start = start.isEmpty() ? ToQString(presetName) : start + QLatin1Char('/') + ToQString(presetName);
    auto chooser = MakeFileChooser(QApplication::activeWindow(), start, ToQtFilter(filter));
    if (chooser->exec() != QDialog::Accepted) return {};
    const QString chosen = chooser->selectedFiles().value(0);
    if (chosen.isEmpty()) return {};
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return ToUtf8(chosen);
}

}  // namespace rs
