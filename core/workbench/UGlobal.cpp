#include "core/workbench/UGlobal.h"

#include "core/platform/Folders.h"

namespace rs {

std::string WorkFolder;
std::string ResultsFileName;
std::int32_t InputLineCount = 0;
std::int32_t RowCounter = 0;
std::int32_t ProgressPercent = 0;
RowList ListInput;
bool OperationRunning = false;

bool PrepareWorkFolder(const std::string& appDataFolder) {
    WorkFolder = JoinPath(appDataFolder, "Rowsmith");
    bool ok = FolderExists(WorkFolder) || CreateFolder(WorkFolder);
    ResultsFileName = JoinPath(WorkFolder, "Results.txt");
    return ok;
}

}  // namespace rs
