#pragma once

#include <string>

namespace rs {

enum class MsgKind { Plain, Warning, Error };

extern const char* const kAppTitle;  // "Rowsmith", the caption of message boxes

// Modal questions and messages to the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with one OK button.
    virtual void message(const std::string& text, MsgKind kind, const std::string& caption) = 0;
    // An input box: the answer as typed (at most 255 characters), or empty on cancel.
    virtual std::string inputBox(const std::string& caption, const std::string& prompt) = 0;
    // One file chosen with a filter such as "All (*.*)|*.*"; empty when cancelled.
    virtual std::string chooseFile(const std::string& filter, const std::string& presetName) = 0;
};

Dialogs& dialogs();
void InstallDialogs(Dialogs* d);

// Shorthand for the common plain box captioned with the application's title.
void ShowMessage(const std::string& text);

}  // namespace rs
