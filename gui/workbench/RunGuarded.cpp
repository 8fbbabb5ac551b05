#include "gui/workbench/RunGuarded.h"

#include "core/platform/Dialogs.h"
#include "core/platform/FileError.h"
#include "core/platform/Overwrite.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"

#include <new>

namespace rs {

bool RunGuarded(const std::function<void()>& operation) {
    BusyScope busy;
    if (!busy.acquired()) return false;
    try {
        operation();
        return true;
    } catch (const RunRefused& e) {
        if (FrmProgressWindow) FrmProgressWindow->end();
        ShowMessage(e.what());
    } catch (const FileError& e) {
        if (FrmProgressWindow) FrmProgressWindow->end();
        // A file in a work folder that has no name has none either.
        if (e.path().empty() && appState().WorkFolder.empty())
            dialogs().message(kNoWorkFolderText, MsgKind::Error, kAppTitle);
        else
            dialogs().message(e.action() + " \"" + e.path() + "\".\n" + e.reason(), MsgKind::Error,
                              kAppTitle);
    } catch (const std::bad_alloc&) {
        if (FrmProgressWindow) FrmProgressWindow->end();
        dialogs().message("There is not enough memory to finish this operation.", MsgKind::Error, kAppTitle);
    }
    return false;
}

}  // namespace rs
