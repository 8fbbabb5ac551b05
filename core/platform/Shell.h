#pragma once

#include <functional>
#include <string>

namespace rs {

enum class ShellResult { Ok, FileNotFound, Failed };

// Called with the outcome of an open, possibly later, from the event loop. Called once, except that an
// opener still running after its grace period answers Ok then, and answers again, with the failure,
// when it ends with one.
using ShellDone = std::function<void(ShellResult)>;

// Opens documents, web pages and folders in the user's own programs, without waiting for them.
class Shell {
public:
    virtual ~Shell() = default;
    // A file path, relative ones from the current folder; maximised asks for a maximised window where
    // the viewer allows it.
    virtual void open(const std::string& target, bool maximised, ShellDone done) = 0;
    virtual void openFolder(const std::string& folder, ShellDone done) = 0;
};

// The shell installed at start-up (or by a test).
Shell& shell();
void InstallShell(Shell* s);

}  // namespace rs
