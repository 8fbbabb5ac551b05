#include "core/platform/Folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace rs {

namespace {
// The account's home folder from the user database; empty when it has none.
std::string AccountHome() {
    std::vector<char> buf(16384);
    for (;;) {
        struct passwd pw {};
        struct passwd* found = nullptr;
        const int err = ::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found);
        if (err == ERANGE && buf.size() < (1u << 20)) {
            buf.resize(buf.size() * 2);
            continue;
        }
        return found && found->pw_dir && *found->pw_dir == '/' ? std::string(found->pw_dir) : std::string();
    }
}
}  // namespace

std::string AppDataFolder() {
    // A relative value is invalid and ignored: it would depend on where the program was started.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return xdg;
    // Without HOME the account's own home, as shells find it; a relative HOME is ignored too.
    const char* env = std::getenv("HOME");
    const std::string home = env && *env == '/' ? std::string(env) : AccountHome();
    return home.empty() ? std::string() : home + "/.local/share";
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

bool CreateFolders(const std::string& path) {
    if (path.empty()) return false;
    if (FolderExists(path)) return true;
    const std::string parent = FolderOf(path);
    if (parent != path && parent != "." && !CreateFolders(parent)) return false;
    // The user's data folders are theirs alone, as the base-directory rules ask.
    if (::mkdir(path.c_str(), 0700) == 0) return true;
    // Another instance may have made it meanwhile.
    return errno == EEXIST && FolderExists(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    // No folder is known: no path, rather than one at the root of the file system.
    if (folder.empty()) return {};
    if (folder.back() == kPathSep) return folder + name;
    return folder + kPathSep + name;
}

std::string FolderOf(const std::string& path) {
    auto p = path.rfind(kPathSep);
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : path.substr(0, p);
}

}  // namespace rs
