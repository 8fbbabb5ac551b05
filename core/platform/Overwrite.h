#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace rs {

// A run refused before it has created or emptied anything; the handler guard shows what() in a
// plain message box.
class RunRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A run refused because what it would write is a file it reads.
class OverwriteRefused : public RunRefused {
public:
    explicit OverwriteRefused(const std::string& output);
};

// The one rule every run passes before it creates or empties a file: when output is the same
// file (device and inode, so links count) as any of inputs, throws OverwriteRefused. Empty
// input names are passed over.
void RefuseOverwrite(const std::string& output, const std::vector<std::string>& inputs);

// True when output is the same file as any of inputs, by the rule above.
bool IsOneOf(const std::string& output, const std::vector<std::string>& inputs);

// The refusal's text for an output that is one of the run's inputs.
std::string OverwriteRefusalText(const std::string& output);

}  // namespace rs
