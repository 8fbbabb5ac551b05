#include "core/platform/Dialogs.h"

#include <stdexcept>

namespace rs {

const char* const kAppTitle = "Rowsmith";

namespace {
Dialogs* g_dialogs = nullptr;
}  // namespace

Dialogs& dialogs() {
    if (!g_dialogs) throw std::logic_error("no dialogs installed");
    return *g_dialogs;
}
void InstallDialogs(Dialogs* d) { g_dialogs = d; }

void ShowMessage(const std::string& text) { dialogs().message(text, MsgKind::Plain, kAppTitle); }

}  // namespace rs
