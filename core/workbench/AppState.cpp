#include "core/workbench/AppState.h"

#include "core/platform/Folders.h"

namespace rs {

namespace {
AppState g_programState;
AppState* g_state = &g_programState;
}  // namespace

AppState& appState() { return *g_state; }
void InstallAppState(AppState* state) { g_state = state ? state : &g_programState; }

bool PrepareWorkFolder(AppState& state, const std::string& appDataFolder) {
    state.WorkFolder = JoinPath(appDataFolder, "Rowsmith");
    bool ok = CreateFolders(state.WorkFolder);
    state.ResultsFileName = JoinPath(state.WorkFolder, "Results.txt");
    return ok;
}

}  // namespace rs
