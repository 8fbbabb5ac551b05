#pragma once

#include <string>

namespace rs {

enum class ShellResult { Ok, FileNotFound, Failed };

// Opens documents, web pages and folders in the user's own programs.
class Shell {
public:
    virtual ~Shell() = default;
    // A file path or a URL; maximised asks for a maximised window where the viewer allows it.
    virtual ShellResult open(const std::string& target, bool maximised) = 0;
    virtual ShellResult openFolder(const std::string& folder) = 0;
};

// The shell installed at start-up (or by a test).
Shell& shell();
void InstallShell(Shell* s);

}  // namespace rs
