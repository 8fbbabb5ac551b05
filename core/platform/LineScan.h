#pragma once

// The line scan shared by the text reader and the row list.

#include <emmintrin.h>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace rs::detail {

inline constexpr std::size_t kNoCr = SIZE_MAX;

// The first LF in [from, filled), or filled when there is none; firstCr becomes the first CR
// before it unless it already holds one.
inline std::size_t ScanLine(const char* base, std::size_t from, std::size_t filled, std::size_t& firstCr) {
    std::size_t i = from;
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i crs = _mm_set1_epi8('\r');
    for (; i + 16 <= filled; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
        auto lf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lfs)));
        auto cr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, crs)));
        if (lf) {
            int bit = std::countr_zero(lf);
            cr &= (1u << bit) - 1;
            if (cr && firstCr == kNoCr) firstCr = i + static_cast<std::size_t>(std::countr_zero(cr));
            return i + static_cast<std::size_t>(bit);
        }
        if (cr && firstCr == kNoCr) firstCr = i + static_cast<std::size_t>(std::countr_zero(cr));
    }
    for (; i < filled; ++i) {
        if (base[i] == '\n') return i;
        if (base[i] == '\r' && firstCr == kNoCr) firstCr = i;
    }
    return filled;
}

}  // namespace rs::detail
