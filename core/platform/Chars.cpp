#include "core/platform/Chars.h"

#include <algorithm>
#include <cstring>

#include <emmintrin.h>

namespace rs::chars {

namespace {
inline bool Cont(unsigned char c) { return (c & 0xC0) == 0x80; }

inline const unsigned char* U(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// Skips the ASCII prefix eight bytes at a time.
inline std::size_t AsciiPrefix(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL) break;
    }
    while (i < n && p[i] < 0x80) ++i;
    return i;
}
}  // namespace

int CharBytes(const unsigned char* p, const unsigned char* end) {
    unsigned char c = p[0];
    if (c < 0x80) return 1;
    std::ptrdiff_t left = end - p;
    if (c >= 0xC2 && c <= 0xDF) return (left >= 2 && Cont(p[1])) ? 2 : 1;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !Cont(p[2])) return 1;
        unsigned char c1 = p[1];
        if (c == 0xE0) return (c1 >= 0xA0 && c1 <= 0xBF) ? 3 : 1;
        if (c == 0xED) return (c1 >= 0x80 && c1 <= 0x9F) ? 3 : 1;
        return Cont(c1) ? 3 : 1;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !Cont(p[2]) || !Cont(p[3])) return 1;
        unsigned char c1 = p[1];
        if (c == 0xF0) return (c1 >= 0x90 && c1 <= 0xBF) ? 4 : 1;
        if (c == 0xF4) return (c1 >= 0x80 && c1 <= 0x8F) ? 4 : 1;
        return Cont(c1) ? 4 : 1;
    }
    return 1;
}

bool IsAscii(std::string_view s) {
    const char* p = s.data();
    const std::size_t n = s.size();
    std::size_t i = 0;
    // The bytes are or-ed together without a branch in the loop: most rows are ASCII throughout.
    __m128i any = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16)
        any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
    if (_mm_movemask_epi8(any)) return false;
    std::uint64_t high = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        high |= w;
    }
    for (; i < n; ++i) high |= static_cast<unsigned char>(p[i]);
    return (high & 0x8080808080808080ULL) == 0;
}

std::int64_t Length(std::string_view s) {
    // In an ASCII row every byte is a character.
    if (IsAscii(s)) return static_cast<std::int64_t>(s.size());
    const unsigned char* p = U(s);
    const unsigned char* end = p + s.size();
    std::int64_t n = 0;
    while (p < end) {
        // ASCII runs are counted eight bytes at a time, also between other characters.
        std::size_t a = AsciiPrefix(p, static_cast<std::size_t>(end - p));
        n += static_cast<std::int64_t>(a);
        p += a;
        if (p == end) break;
        p += CharBytes(p, end);
        ++n;
    }
    return n;
}

namespace detail {

std::size_t OffsetAfterFrom(std::string_view row, std::size_t ascii, std::int64_t n) {
    const unsigned char* base = U(row);
    const unsigned char* end = base + row.size();
    const unsigned char* p = base + ascii;
    std::uint64_t left = static_cast<std::uint64_t>(n) - ascii;  // characters still to pass
    while (left > 0) {
        if (p == end) return npos;
        if (*p < 0x80) {
            const auto rest = static_cast<std::size_t>(end - p);
            const std::size_t a = AsciiPrefix(p, left < rest ? static_cast<std::size_t>(left) : rest);
            p += a;
            left -= a;
        } else {
            p += CharBytes(p, end);
            --left;
        }
    }
    return static_cast<std::size_t>(p - base);
}

}  // namespace detail

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= 32) --n;
    return s.substr(0, n);
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

void UpperInPlace(std::string& s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
}

std::string Upper(std::string_view s) {
    std::string r(s);
    UpperInPlace(r);
    return r;
}

}  // namespace rs::chars
