#pragma once

#include <string>

namespace rs {

inline constexpr const char* kPublishChanges = "The new file has been created with your changes : ";
inline constexpr const char* kPublishCompare = "The compare results are located here : ";
inline constexpr const char* kPublishCombine = "The new file has been created : ";

// Hands the results file to the shell; when the shell fails, tells the user where the
// file is, with the given prefix.
void PublishResultsFile(const char* failurePrefix = kPublishChanges);

// Refuses (with a message) when the output would overwrite the file being read.
// Returns true when the run may go on.
bool CheckNotSameFile(const std::string& input, const std::string& output);

}  // namespace rs
