#pragma once

#include "core/platform/Dialogs.h"

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

// Turns a "Text (*.txt)|*.txt" filter into Qt's form, with "*.*" meaning every file.
QString ToQtFilter(const std::string& filter);

}  // namespace rs
