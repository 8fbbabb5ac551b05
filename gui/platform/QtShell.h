#pragma once

#include "core/platform/Shell.h"

namespace rs {

// The real shell: the desktop's opener (xdg-open) run as a process, its exit status the result.
class QtShell : public Shell {
public:
    // graceMs: how long a running opener has to fail before it counts as having found a viewer.
    explicit QtShell(int graceMs = 3000) : graceMs_(graceMs) {}
    void open(const std::string& target, bool maximised, ShellDone done) override;
    void openFolder(const std::string& folder, ShellDone done) override;

private:
    int graceMs_;
};

}  // namespace rs
