#include "RowList.h"

#include "FileError.h"
#include "TextFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>

namespace rs {

namespace detail {

void AdviseHugePages(void* p, std::size_t bytes) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (bytes < 2 * kHuge) return;
    std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    // Only a hint: without huge pages the memory works the same, just slower to touch.
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace detail

namespace {

constexpr std::size_t kReadChunk = 1 << 20;
constexpr char kEof = 0x1A;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

// The file is read straight into the row buffer and split where it lies: a row's line end
// stays in the buffer behind it, so a file without stray CRs is never copied a second time.
void RowList::loadFile(const std::string& path) {
    clear();
    CheckPathLength(path, "Cannot open file");
    if (path.empty()) throw FileError(path, "Cannot open file", "No file name");
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw FileError::fromErrno(path, "Cannot open file", errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw FileError::fromErrno(path, "Cannot open file", EISDIR);
        if (S_ISREG(st.st_mode) && st.st_size > 0) bytes_.reserve(static_cast<std::size_t>(st.st_size) + 1);
    }

    std::size_t w = 0;  // where the next row's content goes; never past s
    std::size_t s = 0;  // where the next row starts in the bytes read
    // Stores the row [s, stop) (its CRs dropped) and the line end up to next.
    auto addRow = [&](std::size_t stop, std::size_t next) {
        char* base = bytes_.data();
        std::size_t end;
        const char* cr = static_cast<const char*>(std::memchr(base + s, '\r', stop - s));
        if (!cr && w == s) {
            end = stop;
        } else if (w == s && cr == base + stop - 1) {
            end = stop - 1;  // CR LF
        } else {
            std::size_t o = w;
            for (std::size_t i = s; i < stop; ++i)
                if (base[i] != '\r') base[o++] = base[i];
            end = o;
        }
        rowBytes_ += end - w;
        std::uint64_t gap = next - end;
        if (gap < 256) {
            ends_.push_back(end | (gap << kGapShift));
            w = next;
        } else {
            // So many CRs dropped that the line end no longer fits: later rows move up.
            ends_.push_back(end);
            w = end;
        }
        s = next;
    };

    try {
        bool atEnd = false;
        while (!atEnd) {
            if (bytes_.capacity() - bytes_.size() < 1) bytes_.reserveMore(kReadChunk);
            std::size_t f = bytes_.size();
            std::size_t want = std::min(kReadChunk, bytes_.capacity() - f);
            ssize_t n = ::read(fd.get(), bytes_.data() + f, want);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError::fromErrno(path, "Cannot read file", errno);
            }
            std::size_t got = static_cast<std::size_t>(n);
            if (got == 0) atEnd = true;
            if (const void* z = std::memchr(bytes_.data() + f, kEof, got)) {
                got = static_cast<std::size_t>(static_cast<const char*>(z) - (bytes_.data() + f));
                atEnd = true;
            }
            bytes_.grow(got);
            const char* base = bytes_.data();
            std::size_t filled = bytes_.size();
            while (s < filled) {
                const char* lf = static_cast<const char*>(std::memchr(base + s, '\n', filled - s));
                if (!lf) break;
                std::size_t at = static_cast<std::size_t>(lf - base);
                addRow(at, at + 1);
            }
        }
        // A last line without a line end.
        if (s < bytes_.size()) addRow(bytes_.size(), bytes_.size());
    } catch (...) {
        bytes_.truncate(w);
        throw;
    }
    bytes_.truncate(w);
    bytes_.shrinkToFit();
    ends_.shrinkToFit();
}

}  // namespace rs
