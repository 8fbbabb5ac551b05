#pragma once

// What every run hands back to its window, and the one step that shows it to the user.

#include "core/platform/Shell.h"

#include <string>
#include <vector>

namespace rs {

// What the message says, followed by the path, when the shell cannot open what a run wrote.
inline constexpr const char* kPublishChanges = "The new file has been created with your changes : ";
inline constexpr const char* kPublishCompare = "The compare results are located here : ";
inline constexpr const char* kPublishCombine = "The new file has been created : ";
inline constexpr const char* kPublishFolder = "Your files are located at: ";

struct RunOutcome {
    enum class Open {
        Nothing,
        File,   // the results file, in the user's viewer
        Folder  // a folder, in the file browser
    };
    std::vector<std::string> messages;  // plain message boxes, in order, before anything opens
    Open open = Open::Nothing;
    std::string target;                      // the file or folder that is opened
    std::string failure;                     // shown, followed by target, when the shell fails
    std::vector<std::string> messagesAfter;  // shown once the shell has answered

    // Message boxes only.
    static RunOutcome Messages(std::vector<std::string> messages);
    // The results file, handed to the shell after the messages.
    static RunOutcome Publish(const std::string& resultsFile, std::vector<std::string> messages = {},
                              const char* failure = kPublishChanges);
    // The folder, opened in the file browser; messagesAfter follow the shell's answer.
    static RunOutcome OpenFolder(const std::string& folder, std::vector<std::string> messagesAfter);
};

// Shows the messages, then opens what the outcome names and tells the user where it is when the
// shell cannot open it (also when it finds that out late), then shows the messages that follow.
void Finish(const RunOutcome& outcome);

}  // namespace rs
