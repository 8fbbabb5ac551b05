#include "tests/support/RecordingProgress.h"

#include <algorithm>

namespace rs::test {

std::vector<std::string> RecordingProgress::shown() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e != "pump") out.push_back(e);
    return out;
}

int RecordingProgress::pumps() const {
    return static_cast<int>(std::count(events.begin(), events.end(), "pump"));
}

int RecordingProgress::ends() const {
    return static_cast<int>(std::count(events.begin(), events.end(), "end"));
}

std::string PercentUpdate(std::string_view prefix, int percent) {
    return "update:" + std::string(prefix) + std::to_string(percent) + std::string(kSuffixComplete);
}

std::string ProcessingUpdate(int percent) { return PercentUpdate(kPrefixProcessing, percent); }

}  // namespace rs::test
