#include "core/platform/DirSearch.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Folders.h"
#include "core/platform/Shell.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace rs {

const char* const kAppTitle = "Rowsmith";

namespace {
Shell* g_shell = nullptr;
Dialogs* g_dialogs = nullptr;
}  // namespace

Shell& shell() {
    if (!g_shell) throw std::logic_error("no shell installed");
    return *g_shell;
}
void InstallShell(Shell* s) { g_shell = s; }

Dialogs& dialogs() {
    if (!g_dialogs) throw std::logic_error("no dialogs installed");
    return *g_dialogs;
}
void InstallDialogs(Dialogs* d) { g_dialogs = d; }

void ShowMessage(const std::string& text) { dialogs().message(text, MsgKind::Plain, kAppTitle); }

std::string AppDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

std::string ExecutableFolder() {
    std::string buf(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0) return ".";
    buf.resize(static_cast<std::size_t>(n));
    return FolderOf(buf);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == kPathSep) return folder + name;
    return folder + kPathSep + name;
}

std::string FileNameOf(const std::string& path) {
    auto p = path.rfind(kPathSep);
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string FolderOf(const std::string& path) {
    auto p = path.rfind(kPathSep);
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : path.substr(0, p);
}

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
