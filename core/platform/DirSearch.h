#pragma once

#include <string>
#include <vector>

namespace rs {

// Names of the entries of a folder (files and folders alike, "." and ".." left out)
// that match a mask of '*' and '?', letter case ignored; "*.*" matches every name.
// The list is a snapshot in ordinal order, taken before the caller writes anything.
std::vector<std::string> FindEntries(const std::string& folder, const std::string& mask);

bool WildcardMatch(const std::string& mask, const std::string& name);

}  // namespace rs
