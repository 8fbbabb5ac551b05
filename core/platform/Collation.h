#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rs {

// Order of every sorted list of the program: ordinal comparison of the bytes of the
// whole item, so equal keys always end up next to each other.
inline bool CollateLess(std::string_view a, std::string_view b) { return a < b; }
inline int CollateCompare(std::string_view a, std::string_view b) { return a.compare(b); }

// The n bytes (n <= 8) of s from byte `from` as a big-endian number, zero-padded where s
// ends: such numbers order as their bytes do, so a sort can decide most pairs on them alone.
inline std::uint64_t SortPrefix(std::string_view s, std::size_t from, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t k = from; k < from + n; ++k)
        v = (v << 8) | (k < s.size() ? static_cast<unsigned char>(s[k]) : 0u);
    return v;
}

}  // namespace rs
