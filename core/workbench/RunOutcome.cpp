#include "core/workbench/RunOutcome.h"

#include "core/platform/Dialogs.h"

#include <memory>
#include <utility>

namespace rs {

RunOutcome RunOutcome::Messages(std::vector<std::string> messages) {
    RunOutcome o;
    o.messages = std::move(messages);
    return o;
}

RunOutcome RunOutcome::Publish(const std::string& resultsFile, std::vector<std::string> messages,
                               const char* failure) {
    RunOutcome o;
    o.messages = std::move(messages);
    o.open = Open::File;
    o.target = resultsFile;
    o.failure = failure;
    return o;
}

RunOutcome RunOutcome::OpenFolder(const std::string& folder, std::vector<std::string> messagesAfter) {
    RunOutcome o;
    o.open = Open::Folder;
    o.target = folder;
    o.failure = kPublishFolder;
    o.messagesAfter = std::move(messagesAfter);
    return o;
}

void Finish(const RunOutcome& outcome) {
    for (const std::string& m : outcome.messages) ShowMessage(m);
    // The shell may answer later, from the event loop, and a second time when an open that
    // looked fine fails late; the messages that follow are shown once.
    auto afterShown = std::make_shared<bool>(false);
    auto answered = [failure = outcome.failure + outcome.target, after = outcome.messagesAfter,
                     afterShown](ShellResult r) {
        if (r != ShellResult::Ok) ShowMessage(failure);
        if (std::exchange(*afterShown, true)) return;
        for (const std::string& m : after) ShowMessage(m);
    };
    switch (outcome.open) {
        case RunOutcome::Open::Nothing:
            for (const std::string& m : outcome.messagesAfter) ShowMessage(m);
            break;
        case RunOutcome::Open::File:
            shell().open(outcome.target, false, answered);
            break;
        case RunOutcome::Open::Folder:
            shell().openFolder(outcome.target, answered);
            break;
    }
}

}  // namespace rs
