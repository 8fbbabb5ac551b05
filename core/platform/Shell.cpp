#include "core/platform/Shell.h"

#include <stdexcept>

namespace rs {

namespace {
Shell* g_shell = nullptr;
}  // namespace

Shell& shell() {
    if (!g_shell) throw std::logic_error("no shell installed");
    return *g_shell;
}
void InstallShell(Shell* s) { g_shell = s; }

}  // namespace rs
