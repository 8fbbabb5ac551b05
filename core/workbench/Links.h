#pragma once

// The local pages handed to the shell by the main window's link buttons and by the
// template builder's example button.

#include <string>

namespace rs {

inline constexpr const char* kHelpPage = "help.html";
inline constexpr const char* kDownloadPage = "download.html";
inline constexpr const char* kExamplesPage = "examples.html";
inline constexpr const char* kSamplePage = "sample.html";

inline constexpr const char* kHelpNotFound =
    "Either your system does not have a default webpage viewer (for viewing the help webpage), or the help file was not found and was deleted from your system.";
inline constexpr const char* kDownloadNotFound =
    "Your web browser could not be opened, or the download page was not found. Please visit the Zorvik web site (https://www.zorvik.example) for more software downloads.";
inline constexpr const char* kExamplesNotFound = "Could not open your browser.";
inline constexpr const char* kSampleNotFound =
    "The system could not open the sample help data for this. You may need to reinstall to view the help data. ";

// Caption of the error boxes of the link buttons.
inline constexpr const char* kLinkErrorCaption = "Error";

// Opens the page of that name beside the executable in a maximised window. Only the shell's
// file-not-found result is reported, in an error box with the given text; other failures
// show nothing.
void OpenLocalPage(const std::string& fileName, const std::string& notFoundText);

void OpenHelpPage();      // "Help"
void OpenDownloadPage();  // "More Software"
void OpenExamplesPage();  // "See Examples": a local page, the program needing no network
void OpenSamplePage();    // the template builder's example page

}  // namespace rs
