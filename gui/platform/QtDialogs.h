#pragma once

#include "core/platform/Dialogs.h"

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

namespace rs {

// The real dialogs: message boxes, the input box and the file chooser.
class QtDialogs : public Dialogs {
public:
    void message(const std::string& text, MsgKind kind, const std::string& caption) override;
    std::string inputBox(const std::string& caption, const std::string& prompt) override;
    std::string chooseFile(const std::string& filter, const std::string& presetName) override;

private:
    QString lastFolder_;
};

// The chooser that chooseFile shows, not yet shown: one existing file, from start (a folder, or a file
// in it to preselect). It types the files it lists by their names and kinds only: reading a file to
// type it can block for good (/proc/kmsg, network and user-space file systems).
std::unique_ptr<QFileDialog> MakeFileChooser(QWidget* parent, const QString& start, const QString& qtFilter);

// Turns a "Text (*.txt)|*.txt" filter into Qt's form, with "*.*" meaning every file.
QString ToQtFilter(const std::string& filter);

}  // namespace rs
