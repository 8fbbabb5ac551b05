#pragma once

#include <string_view>

namespace rs {

// Order of every sorted list of the program: ordinal comparison of the bytes of the
// whole item, so equal keys always end up next to each other.
inline bool CollateLess(std::string_view a, std::string_view b) { return a < b; }
inline int CollateCompare(std::string_view a, std::string_view b) { return a.compare(b); }

}  // namespace rs
