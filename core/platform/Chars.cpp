#include "core/platform/Chars.h"

#include <algorithm>
#include <cstring>

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

bool IsAscii(std::string_view s) { return AsciiPrefix(U(s), s.size()) == s.size(); }

std::int64_t Length(std::string_view s) {
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

std::size_t ByteOffset(std::string_view s, std::int64_t idx) {
    if (idx <= 0) return 0;
    const unsigned char* base = U(s);
    const unsigned char* end = base + s.size();
    // Only the bytes that can hold the first idx characters are looked at.
    std::size_t a = AsciiPrefix(base, std::min(s.size(), static_cast<std::size_t>(idx)));
    if (static_cast<std::uint64_t>(idx) <= a) return static_cast<std::size_t>(idx);
    const unsigned char* p = base + a;
    std::int64_t k = static_cast<std::int64_t>(a);
    while (p < end && k < idx) {
        p += CharBytes(p, end);
        ++k;
    }
    return static_cast<std::size_t>(p - base);
}

std::string_view Copy(std::string_view s, std::int64_t start, std::int64_t count) {
    // An empty result still points into the row, never nowhere.
    if (start < 1) start = 1;
    if (count < 1) return s.substr(0, 0);
    std::size_t b = ByteOffset(s, start - 1);
    if (b >= s.size()) return s.substr(s.size());
    std::string_view rest = s.substr(b);
    return rest.substr(0, ByteOffset(rest, count));
}

void Delete(std::string& s, std::int64_t start, std::int64_t count) {
    if (start < 1 || count < 1) return;
    std::size_t b = ByteOffset(s, start - 1);
    if (b >= s.size()) return;
    std::size_t e = b + ByteOffset(std::string_view(s).substr(b), count);
    s.erase(b, e - b);
}

void Insert(std::string& s, std::string_view sub, std::int64_t start) {
    s.insert(ByteOffset(s, start - 1), sub);
}

std::int64_t Pos(std::string_view sub, std::string_view s, std::int64_t from) {
    if (sub.empty()) return 0;
    if (from < 1) from = 1;
    std::size_t b = ByteOffset(s, from - 1);
    if (b >= s.size()) return 0;
    std::size_t hit = s.find(sub, b);
    if (hit == std::string_view::npos) return 0;
    return from + Length(s.substr(b, hit - b));
}

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

void LowerInPlace(std::string& s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
}

std::string Upper(std::string_view s) {
    std::string r(s);
    UpperInPlace(r);
    return r;
}

std::string Lower(std::string_view s) {
    std::string r(s);
    LowerInPlace(r);
    return r;
}

}  // namespace rs::chars
