#pragma once

// What an option dialog's run hands back to its form, and the character-range helper
// the dialogs share.

#include "platform/Chars.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

struct DialogOutcome {
    std::vector<std::string> messages;  // shown, in order, before the results file is published
    bool publish = true;
};

// Byte range [begin, end) of the characters a..b (1-based, a <= b) of s. False when s has
// fewer than b characters (or a is below 1); begin and end are then unchanged.
inline bool CharRange(std::string_view s, std::int64_t a, std::int64_t b, std::size_t& begin,
                      std::size_t& end) {
    if (a < 1 || b < a) return false;
    std::size_t first = chars::ByteOffset(s, a - 1);
    if (first >= s.size()) return false;
    std::string_view rest = s.substr(first);
    std::size_t last = chars::ByteOffset(rest, b - a);
    if (last >= rest.size()) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(rest.data());
    begin = first;
    end = first + last + static_cast<std::size_t>(chars::CharBytes(p + last, p + rest.size()));
    return true;
}

}  // namespace rs
