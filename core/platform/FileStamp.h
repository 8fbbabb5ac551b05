#pragma once

#include <sys/stat.h>
#include <string>

namespace rs {

// What identifies one version of a file: which file it is, its size and when it last changed.
struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    long long mtimeNs = 0;
    long long ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampFrom(const struct stat& st) {
    FileStamp stamp;
    stamp.dev = st.st_dev;
    stamp.ino = st.st_ino;
    stamp.size = st.st_size;
    stamp.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    stamp.ctimeNs = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    return stamp;
}

// The file's stamp, or false when it cannot be read.
inline bool StampOf(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp = StampFrom(st);
    return true;
}

}  // namespace rs
