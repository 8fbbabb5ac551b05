#pragma once

// The texts of the caret readouts: p is the number of characters before the caret.

#include <cstdint>
#include <string>

namespace rs {

// The position finder's readout: "On byte p+1.  Previous byte is #p".
std::string FinderReadoutText(std::int64_t p);
// The main window's hidden copy: "Current position is immediately after byte #p".
std::string HiddenReadoutText(std::int64_t p);

inline constexpr const char* kReadoutNotPositioned = "Current cursor position (not positioned yet)";

}  // namespace rs
