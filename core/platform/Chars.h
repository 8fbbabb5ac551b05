#pragma once

// Character arithmetic on rows kept as the bytes read. A character is one
// well-formed UTF-8 sequence; any other byte counts as one character of its own.
// Positions are 1-based, as the users see them; a range first..last holds both ends.
// Every operation finds its positions here, so the fast ASCII paths live here too.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace rs::chars {

inline constexpr std::size_t npos = std::string_view::npos;

// The bytes [begin, end) of a row.
struct ByteSpan {
    std::size_t begin = 0;
    std::size_t end = 0;

    std::string_view of(std::string_view row) const { return row.substr(begin, end - begin); }
};

// Bytes taken by the character that starts at p (1 to 4); end bounds the row.
int CharBytes(const unsigned char* p, const unsigned char* end);

bool IsAscii(std::string_view s);

// Number of characters in s.
std::int64_t Length(std::string_view s);

namespace detail {
// OffsetAfter once the first `ascii` bytes (fewer than n) are known to be ASCII.
std::size_t OffsetAfterFrom(std::string_view row, std::size_t ascii, std::int64_t n);
}  // namespace detail

// Byte offset just past the first n characters of row (0 when n <= 0), or npos when the row
// has fewer than n characters.
inline std::size_t OffsetAfter(std::string_view row, std::int64_t n) {
    if (n <= 0) return 0;
    const auto count = static_cast<std::uint64_t>(n);
    // A character takes at least one byte.
    if (row.size() < count) return npos;
    // Most rows start with plain ASCII, where a byte is a character.
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, row.data() + i, 8);
        if (w & 0x8080808080808080ULL) break;
    }
    while (i < count && static_cast<unsigned char>(row[i]) < 0x80) ++i;
    return i == count ? i : detail::OffsetAfterFrom(row, i, n);
}

// Characters first..last of row; nothing when first < 1, last < first or the row has fewer
// than last characters.
inline std::optional<ByteSpan> CharSpan(std::string_view row, std::int64_t first, std::int64_t last) {
    if (first < 1 || last < first) return std::nullopt;
    const std::size_t end = OffsetAfter(row, last);
    if (end == npos) return std::nullopt;
    // When the first `last` characters took a byte each, so did those before `first`.
    if (end == static_cast<std::uint64_t>(last)) return ByteSpan{static_cast<std::size_t>(first - 1), end};
    return ByteSpan{OffsetAfter(row.substr(0, end), first - 1), end};
}

// As much of characters first..last as row has: a first below 1 counts from 1, and a row
// that ends before first (or a last below first) gives an empty span.
inline ByteSpan ClippedSpan(std::string_view row, std::int64_t first, std::int64_t last) {
    if (first < 1) first = 1;
    // npos is past every row, so the minimum stops at the row's end.
    const std::size_t begin = std::min(OffsetAfter(row, first - 1), row.size());
    if (last < first) return {begin, begin};
    return {begin, begin + std::min(OffsetAfter(row.substr(begin), last - first + 1), row.size() - begin)};
}

// Byte-exact search returning a byte offset, or npos.
inline std::size_t Find(std::string_view s, std::string_view sub, std::size_t from = 0) {
    return sub.empty() ? npos : s.find(sub, from);
}

// Trimming removes bytes with a code of 32 or below.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);
inline bool IsBlank(std::string_view s) { return Trim(s).empty(); }

// Case change touches the ASCII letters only.
void UpperInPlace(std::string& s);
std::string Upper(std::string_view s);

}  // namespace rs::chars
