#pragma once

#include <string>

namespace rs {

inline constexpr const char* kPublishChanges = "The new file has been created with your changes : ";
inline constexpr const char* kPublishCompare = "The compare results are located here : ";
inline constexpr const char* kPublishCombine = "The new file has been created : ";

// Hands the results file to the shell; when the shell fails, tells the user where the
// file is, with the given prefix.
void PublishResultsFile(const char* failurePrefix = kPublishChanges);

}  // namespace rs
