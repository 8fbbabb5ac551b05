#pragma once

// Rules spelt out the plain way, for checking the fast code against them.

#include <string>
#include <string_view>
#include <vector>

namespace rs::test {

// The rows a text file holds, byte by byte: input ends at the first 0x1A, a line ends at LF,
// every CR is dropped, and bytes after the last LF make one more line.
std::vector<std::string> ReferenceRows(std::string_view text);

// The words the extract dialog writes, by the walk as it has always been done: trim the row,
// cut before its first space, trim the rest, again until nothing is left.
std::vector<std::string> ReferenceWords(const std::vector<std::string>& rows);

}  // namespace rs::test
