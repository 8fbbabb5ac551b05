#pragma once

// Rules spelt out the plain way, for checking the fast code against them.

#include "core/workbench/DupsLogic.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs::test {

// Byte lengths of the characters of s, by a plain decoder: a well-formed UTF-8 sequence
// (shortest form, no surrogate, at most U+10FFFF) is one character, any other byte is one.
std::vector<int> PlainChars(std::string_view s);

// Characters first..last (1-based) of s by the plain decoder, as many of them as s has.
std::string CharSlice(const std::string& s, std::int64_t first, std::int64_t last);

// The rows a text file holds, byte by byte: input ends at the first 0x1A, a line ends at LF,
// every CR is dropped, and bytes after the last LF make one more line.
std::vector<std::string> ReferenceRows(std::string_view text);

// The words the extract dialog writes, by the walk as it has always been done: trim the row,
// cut before its first space, trim the rest, again until nothing is left.
std::vector<std::string> ReferenceWords(const std::vector<std::string>& rows);

// The rows the duplicates dialog writes: the work list built item by item (key and row, or a
// short row bare), sorted as whole strings, then walked pair by pair.
std::vector<std::string> ReferenceDups(const std::vector<std::string>& rows, int spin1, int spin2,
                                       DupsChoice choice);

}  // namespace rs::test
