#include "core/workbench/Publish.h"

#include "core/workbench/UGlobal.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Shell.h"

namespace rs {

void PublishResultsFile(const char* failurePrefix) {
    const std::string message = failurePrefix + ResultsFileName;
    shell().open(ResultsFileName, false, [message](ShellResult r) {
        if (r != ShellResult::Ok) ShowMessage(message);
    });
}

}  // namespace rs
