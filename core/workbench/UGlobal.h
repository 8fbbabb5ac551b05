#pragma once

// State shared by every operation of the program.

#include "core/platform/RowList.h"

#include <cstdint>
#include <string>

namespace rs {

extern std::string WorkFolder;       // the per-user work folder, no trailing separator
extern std::string ResultsFileName;  // WorkFolder + "/Results.txt"
extern std::int32_t InputLineCount;  // rows of the current input at its last load: the percentage divisor
extern std::int32_t RowCounter;      // rows read so far by the running main-window operation
extern std::int32_t ProgressPercent; // the percentage shown last
extern RowList ListInput;            // the input rows as of the last dispatch that needed input

// One operation at a time: a run started while another one pumps events is refused.
extern bool OperationRunning;

class BusyScope {
public:
    BusyScope() : acquired_(!OperationRunning) { OperationRunning = true; }
    ~BusyScope() {
        if (acquired_) OperationRunning = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    // False when another run was already going: the caller returns quietly.
    bool acquired() const { return acquired_; }

private:
    bool acquired_;
};

// Sets WorkFolder and ResultsFileName under the given application-data folder and
// creates the work folder when missing; false when it could not be created.
bool PrepareWorkFolder(const std::string& appDataFolder);

}  // namespace rs
