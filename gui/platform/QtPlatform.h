#pragma once

#include "core/platform/Dialogs.h"
#include "core/platform/Shell.h"

#include <QString>

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

// The real shell: the desktop's opener (xdg-open) run as a process, its exit status the result.
class QtShell : public Shell {
public:
    void open(const std::string& target, bool maximised, ShellDone done) override;
    void openFolder(const std::string& folder, ShellDone done) override;
};

// Turns a "Text (*.txt)|*.txt" filter into Qt's form, with "*.*" meaning every file.
QString ToQtFilter(const std::string& filter);

}  // namespace rs
