#include "core/workbench/Links.h"

#include "core/platform/Dialogs.h"
#include "core/platform/Folders.h"
#include "core/platform/Shell.h"

namespace rs {

void OpenLocalPage(const std::string& fileName, const std::string& notFoundText) {
    // Only "file not found" is reported; other failures show nothing.
    shell().open(JoinPath(ExecutableFolder(), fileName), true, [notFoundText](ShellResult r) {
        if (r == ShellResult::FileNotFound)
            dialogs().message(notFoundText, MsgKind::Error, kLinkErrorCaption);
    });
}

void OpenHelpPage() { OpenLocalPage(kHelpPage, kHelpNotFound); }
void OpenDownloadPage() { OpenLocalPage(kDownloadPage, kDownloadNotFound); }
void OpenExamplesPage() { OpenLocalPage(kExamplesPage, kExamplesNotFound); }
void OpenSamplePage() { OpenLocalPage(kSamplePage, kSampleNotFound); }

}  // namespace rs
