#pragma once

#include "core/platform/Shell.h"

namespace rs {

// The real shell: the desktop's opener (xdg-open) run as a process, its exit status the result.
class QtShell : public Shell {
public:
    void open(const std::string& target, bool maximised, ShellDone done) override;
    void openFolder(const std::string& folder, ShellDone done) override;
};

}  // namespace rs
