#include "Publish.h"

#include "UGlobal.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"

namespace rs {

void PublishResultsFile(const char* failurePrefix) {
    if (shell().open(ResultsFileName, false) != ShellResult::Ok)
        ShowMessage(std::string(failurePrefix) + ResultsFileName);
}

bool CheckNotSameFile(const std::string& input, const std::string& output) {
    if (!SameFile(input, output)) return true;
    ShowMessage("The input file is the file the results are written to:\n" + output +
                "\nCopy it elsewhere and choose the copy as your input, so that nothing is lost.");
    return false;
}

}  // namespace rs
