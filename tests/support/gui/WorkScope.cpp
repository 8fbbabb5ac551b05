#include "tests/support/gui/WorkScope.h"

#include "core/platform/TextFile.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UProgressWindow.h"

#include <cstdint>

namespace rs::test {

WorkScope::WorkScope(const Lines& input) {
    if (!FrmProgressWindow) FrmProgressWindow = new TFrmProgressWindow;
    appState().WorkFolder = dir.path();
    appState().ResultsFileName = dir.file("Results.txt");
    load(input);
}

void WorkScope::load(const Lines& rows) {
    appState().input.ListInput.clear();
    for (const auto& r : rows) appState().input.ListInput.append(r);
    appState().counters.InputLineCount = static_cast<std::int32_t>(rows.size());
}

Lines WorkScope::results() const { return ReadCrlfLines(appState().ResultsFileName); }

bool WorkScope::resultsWritten() const { return FileExists(appState().ResultsFileName); }

}  // namespace rs::test
