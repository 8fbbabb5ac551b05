#include "core/platform/Overwrite.h"

#include "core/platform/TextFile.h"

namespace rs {

OverwriteRefused::OverwriteRefused(const std::string& output) : RunRefused(OverwriteRefusalText(output)) {}

std::string OverwriteRefusalText(const std::string& output) {
    return "The input file is the file the results are written to:\n" + output +
           "\nCopy it elsewhere and choose the copy as your input, so that nothing is lost.";
}

bool IsOneOf(const std::string& output, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs)
        if (!input.empty() && SameFile(input, output)) return true;
    return false;
}

void RefuseOverwrite(const std::string& output, const std::vector<std::string>& inputs) {
    if (IsOneOf(output, inputs)) throw OverwriteRefused(output);
}

}  // namespace rs
