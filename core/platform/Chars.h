#pragma once

// Character arithmetic on rows kept as the bytes read. A character is one
// well-formed UTF-8 sequence; any other byte counts as one character of its own.
// Positions are 1-based, as the users see them.

#include <cstdint>
#include <string>
#include <string_view>

namespace rs::chars {

// Bytes taken by the character that starts at p (1 to 4); end bounds the row.
int CharBytes(const unsigned char* p, const unsigned char* end);

bool IsAscii(std::string_view s);

// Number of characters in s.
std::int64_t Length(std::string_view s);

// Byte offset where the character with 0-based index idx starts; s.size() when idx is past the end.
std::size_t ByteOffset(std::string_view s, std::int64_t idx);

// The characters start..start+count-1 (start 1-based). A start below 1 counts from 1,
// a start past the end or a count below 1 gives the empty string.
std::string_view Copy(std::string_view s, std::int64_t start, std::int64_t count);

// Deletes count characters from start (1-based); nothing when start is outside the row.
void Delete(std::string& s, std::int64_t start, std::int64_t count);

// Inserts sub before character start (1-based); a start below 1 inserts at the front,
// a start past the end appends.
void Insert(std::string& s, std::string_view sub, std::int64_t start);

// 1-based character position of the first occurrence of sub at or after character
// position from, or 0. An empty sub is never found. The search is byte-exact.
std::int64_t Pos(std::string_view sub, std::string_view s, std::int64_t from = 1);

// Byte-exact search returning a byte offset, or npos.
inline std::size_t Find(std::string_view s, std::string_view sub, std::size_t from = 0) {
    return sub.empty() ? std::string_view::npos : s.find(sub, from);
}

// Trimming removes bytes with a code of 32 or below.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);
inline bool IsBlank(std::string_view s) { return Trim(s).empty(); }

// Case change touches the ASCII letters only.
void UpperInPlace(std::string& s);
void LowerInPlace(std::string& s);
std::string Upper(std::string_view s);
std::string Lower(std::string_view s);

}  // namespace rs::chars
