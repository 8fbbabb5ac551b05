#include "Publish.h"

#include "UGlobal.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace rs {

void PublishResultsFile(const char* failurePrefix) {
    if (shell().open(ResultsFileName, false) != ShellResult::Ok)
        ShowMessage(std::string(failurePrefix) + ResultsFileName);
}

std::string SameFileRefusalText(const std::string& output) {
    return "The input file is the file the results are written to:\n" + output +
           "\nCopy it elsewhere and choose the copy as your input, so that nothing is lost.";
}

}  // namespace rs
