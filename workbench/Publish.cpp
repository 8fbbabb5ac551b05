#include "Publish.h"

#include "UGlobal.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace rs {

void PublishResultsFile(const char* failurePrefix) {
    const std::string message = failurePrefix + ResultsFileName;
    shell().open(ResultsFileName, false, [message](ShellResult r) {
        if (r != ShellResult::Ok) ShowMessage(message);
    });
}

}  // namespace rs
