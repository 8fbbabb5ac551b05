#include "core/workbench/PositionReadout.h"

namespace rs {

std::string FinderReadoutText(std::int64_t p) {
    return "On byte " + std::to_string(p + 1) + ".  Previous byte is #" + std::to_string(p);
}

std::string HiddenReadoutText(std::int64_t p) {
    return "Current position is immediately after byte #" + std::to_string(p);
}

}  // namespace rs
