#include "RowList.h"

#include "FileError.h"
#include "LineScan.h"
#include "TextFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>

namespace rs {

namespace detail {

namespace {
constexpr std::size_t kMapFrom = std::size_t{1} << 20;
constexpr std::size_t kPage = 4096;
std::size_t PageRound(std::size_t n) { return (n + kPage - 1) & ~(kPage - 1); }
}  // namespace

void ResizeBlock(RawBlock& b, std::size_t bytes, std::size_t keep) {
    if (keep > bytes) keep = bytes;
    if (b.mapped) {
        std::size_t len = PageRound(bytes ? bytes : 1);
        if (len == b.mapped) return;
        void* q = ::mremap(b.p, b.mapped, len, MREMAP_MAYMOVE);
        if (q == MAP_FAILED) throw std::bad_alloc();
        b.p = q;
        b.mapped = len;
        return;
    }
    if (bytes < kMapFrom) {
        void* q = std::realloc(b.p, bytes ? bytes : 1);
        if (!q) throw std::bad_alloc();
        b.p = q;
        return;
    }
    std::size_t len = PageRound(bytes);
    void* q = ::mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (q == MAP_FAILED) throw std::bad_alloc();
    // Only a hint: without huge pages the memory works the same, just slower to touch.
    ::madvise(q, len, MADV_HUGEPAGE);
    if (keep) std::memcpy(q, b.p, keep);
    std::free(b.p);
    b.p = q;
    b.mapped = len;
}

void FreeBlock(RawBlock& b) noexcept {
    if (b.mapped) {
        ::munmap(b.p, b.mapped);
    } else {
        std::free(b.p);
    }
    b = RawBlock{};
}

}  // namespace detail

namespace {

using detail::kNoCr;
using detail::ScanLine;

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
void RowList::loadFile(const std::string& path) { loadFile(path, {}); }

void RowList::loadFile(const std::string& path, const std::function<void()>& progress) {
    clear();
    source_ = path;
    Fd fd(OpenForReading(path));
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && st.st_size > 0) bytes_.reserve(static_cast<std::size_t>(st.st_size) + 1);

    std::size_t w = 0;            // where the next row's content goes; never past s
    std::size_t s = 0;            // where the next row starts in the bytes read
    std::size_t scanned = 0;      // the row at s has no LF before this
    std::size_t firstCr = kNoCr;  // the first CR of the row at s, when seen
    // Stores the row [s, stop) (its CRs dropped) and the line end up to next.
    auto addRow = [&](std::size_t stop, std::size_t next) {
        char* base = bytes_.data();
        std::size_t end;
        if (w == s && firstCr == kNoCr) {
            end = stop;
        } else if (w == s && firstCr == stop - 1) {
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
        s = scanned = next;
        firstCr = kNoCr;
    };

    try {
        if (progress) progress();
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
            for (;;) {
                std::size_t at = ScanLine(base, scanned, filled, firstCr);
                if (at == filled) {
                    scanned = filled;
                    break;
                }
                addRow(at, at + 1);
            }
            if (progress) progress();
        }
        // A last line without a line end.
        if (s < bytes_.size()) {
            addRow(bytes_.size(), bytes_.size());
            if (progress) progress();
        }
    } catch (...) {
        bytes_.truncate(w);
        throw;
    }
    bytes_.truncate(w);
    bytes_.shrinkToFit();
    ends_.shrinkToFit();
}

}  // namespace rs
