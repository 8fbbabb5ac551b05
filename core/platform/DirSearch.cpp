#include "core/platform/DirSearch.h"

#include <dirent.h>

#include <algorithm>

namespace rs {

namespace {
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool Match(const char* m, const char* n) {
    // Iterative matcher with backtracking to the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*m == '*') {
            star = m++;
            resume = n;
        } else if (*m == '?' || (*m && Fold(*m) == Fold(*n))) {
            ++m;
            ++n;
        } else if (star) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*m == '*') ++m;
    return *m == '\0';
}
}  // namespace

bool WildcardMatch(const std::string& mask, const std::string& name) {
    if (mask == "*.*" || mask == "*") return true;
    // "name.*" also matches a name without any extension, as the platform's matching does.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 &&
        Match(mask.substr(0, mask.size() - 2).c_str(), name.c_str()))
        return true;
    return Match(mask.c_str(), name.c_str());
}

std::vector<std::string> FindEntries(const std::string& folder, const std::string& mask) {
    std::vector<std::string> out;
    DIR* d = ::opendir(folder.c_str());
    if (!d) return out;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (WildcardMatch(mask, name)) out.push_back(std::move(name));
    }
    ::closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace rs
