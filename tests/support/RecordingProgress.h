#pragma once

// The one progress double of the suites: it records every call a run makes, in order.

#include "core/workbench/Progress.h"

#include <string>
#include <string_view>
#include <vector>

namespace rs::test {

// Each call is one event: "start:TEXT", "update:TEXT", "pump" or "end".
class RecordingProgress : public Progress {
public:
    void start(std::string_view text) override { events.push_back("start:" + std::string(text)); }
    void update(std::string_view text) override { events.push_back("update:" + std::string(text)); }
    void pump() override { events.emplace_back("pump"); }
    void end() override { events.emplace_back("end"); }

    // The events but the pumps: what the window showed, in order. Pumps come as often as rows
    // or the clock bring them, so a list of what was shown leaves them out.
    std::vector<std::string> shown() const;
    int pumps() const;
    int ends() const;

    std::vector<std::string> events;
};

// The start event of the text a run begins with.
inline const std::string kStartProcessing = "start:" + std::string(kTextProcessing);
// The update event "<prefix>P% complete"; the one of a row-by-row run.
std::string PercentUpdate(std::string_view prefix, int percent);
std::string ProcessingUpdate(int percent);

}  // namespace rs::test
