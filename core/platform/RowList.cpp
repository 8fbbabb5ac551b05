#include "core/platform/RowList.h"

#include "core/platform/FileError.h"
#include "core/platform/LineScan.h"
#include "core/platform/TextFile.h"

#include <oneapi/tbb/parallel_for.h>

#include <emmintrin.h>
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
// A regular file is read in rounds of up to kPieces pieces, each read and split into rows on
// a thread of its own, so that faulting in fresh memory, copying from the page cache and
// scanning all run on every core. Pieces start at multiples of kPieceUnit of the file. A round
// ends with the progress call, so its size bounds the time the window waits on a slow disk.
constexpr std::size_t kPieces = 8;
constexpr std::size_t kPieceUnit = std::size_t{1} << 20;
constexpr std::size_t kMaxPiece = 8 * kPieceUnit;

// The size the system gives for an open file; 0 when it gives none.
std::size_t FileSize(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
}

// Counts the LFs of [p, p + n) up to the first 0x1A, whose offset it returns (n when none).
std::size_t CountLineEnds(const char* p, std::size_t n, std::size_t& lineEnds) {
    std::size_t i = 0;
    std::size_t count = 0;
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i eofs = _mm_set1_epi8(kEof);
    const __m128i zero = _mm_setzero_si128();
    bool eof = false;
    while (!eof && i + 16 <= n) {
        // Byte counters take up to 255 blocks before they are summed.
        __m128i counts = zero;
        const std::size_t stop = std::min(n & ~std::size_t{15}, i + 255 * 16);
        for (; i < stop; i += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, eofs))) {
                eof = true;
                break;
            }
            counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(v, lfs));
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
    for (; i < n && p[i] != kEof; ++i) count += p[i] == '\n';
    lineEnds += count;
    return i;
}

// Drops the CRs of the row ending at stop in place, from its first CR on; returns where the
// row then ends.
std::size_t DropCarriageReturns(char* base, std::size_t stop, std::size_t firstCr) {
    if (firstCr == kNoCr) return stop;
    std::size_t end = firstCr;
    for (std::size_t i = firstCr + 1; i < stop; ++i)
        if (base[i] != '\r') base[end++] = base[i];
    return end;
}

std::size_t FirstCr(const char* base, std::size_t from, std::size_t to) {
    const void* cr = from < to ? std::memchr(base + from, '\r', to - from) : nullptr;
    return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - base) : kNoCr;
}

}  // namespace

// One piece of a round: what was asked for, and what reading it found.
struct RowList::LoadPiece {
    std::size_t from = 0;
    std::size_t to = 0;
    std::size_t end = 0;         // the bytes [from, end) are usable
    std::size_t lineEnds = 0;    // LFs in [from, end)
    std::size_t lastLf = kNoCr;  // the last of them
    bool eofByte = false;        // end stands at a 0x1A
    int error = 0;               // errno of a read that failed at end
    std::size_t rowStart = 0;    // where the row ended by the first LF starts
    std::size_t firstRow = 0;    // that row's index
    std::size_t rowBytes = 0;    // content bytes of the rows ended in [from, end)
    std::vector<FarStart> far;

    void read(int fd, char* base) {
        std::size_t at = from;
        while (at < to) {
            const std::size_t want = std::min(kReadChunk, to - at);
            const ssize_t n = ::pread(fd, base + at, want, static_cast<off_t>(at));
            if (n < 0) {
                if (errno == EINTR) continue;
                error = errno;
                break;
            }
            if (n == 0) break;
            const auto got = static_cast<std::size_t>(n);
            // Counted while the bytes are still in the cache.
            const std::size_t kept = CountLineEnds(base + at, got, lineEnds);
            if (const void* lf = ::memrchr(base + at, '\n', kept))
                lastLf = static_cast<std::size_t>(static_cast<const char*>(lf) - base);
            at += kept;
            if (kept < got) {
                eofByte = true;
                break;
            }
        }
        end = at;
    }
};

std::uint64_t RowList::endEntry(std::size_t row, std::uint64_t end, std::uint64_t next,
                                std::vector<FarStart>& far) {
    const std::uint64_t gap = next - end;
    if (gap < kFarGap) return end | (gap << kGapShift);
    far.push_back({row, next});
    return end | (kFarGap << kGapShift);
}

std::uint64_t RowList::farStart(std::size_t row) const {
    auto it = std::lower_bound(farStarts_.begin(), farStarts_.end(), row,
                               [](const FarStart& f, std::size_t r) { return f.row < r; });
    return it->next;
}

// Splits the rows ended by the LFs of the piece, in place: a row keeps its bytes where they
// were read, CRs dropped, so no other row moves and pieces can be split side by side. A row
// that began before the piece is read back to its start but only its own piece writes it.
void RowList::splitPiece(LoadPiece& piece) {
    char* base = bytes_.data();
    std::uint64_t* entries = ends_.data() + piece.firstRow;
    std::size_t row = piece.firstRow;
    std::size_t s = piece.rowStart;
    std::size_t firstCr = FirstCr(base, s, piece.from);
    std::size_t scanned = std::max(s, piece.from);
    std::size_t rowBytes = 0;
    const std::size_t stop = piece.lastLf + 1;
    while (scanned < stop) {
        const std::size_t at = ScanLine(base, scanned, stop, firstCr);
        const std::size_t end = DropCarriageReturns(base, at, firstCr);
        rowBytes += end - s;
        *entries++ = endEntry(row++, end, at + 1, piece.far);
        s = scanned = at + 1;
        firstCr = kNoCr;
    }
    piece.rowBytes = rowBytes;
}

// The file is read straight into the row buffer and split where it lies: a row's line end
// stays in the buffer behind it, so the file is never copied a second time.
void RowList::loadFile(const std::string& path) { loadFile(path, {}); }

void RowList::loadFile(const std::string& path, const std::function<void()>& progress, Digester* read) {
    clear();
    source_ = path;
    Fd fd(OpenForReading(path));
    // The size the system gives is only a hint: files under /proc say 0 and still have content,
    // so the file is always read to its end. A file cut short while it is read can hand a read
    // the zeroed tail of its last page: when the file ends up shorter than what was kept, it is
    // read again from the start.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        if (attempt > 1) {
            clear();
            if (read) read->reset();
        }
        source_ = path;
        const std::size_t sizeBefore = FileSize(fd.get());
        const std::size_t kept = loadOnce(fd.get(), path, sizeBefore, progress, read);
        const std::size_t sizeAfter = FileSize(fd.get());
        // A file that says 0 before and after has no size to go by, and has not shrunk.
        if (sizeAfter >= kept || (sizeBefore == 0 && sizeAfter == 0)) return;
        if (attempt == kAttempts) throw FileError(path, "Cannot read file", "It changed while it was read");
    }
}

std::size_t RowList::loadOnce(int fd, const std::string& path, std::size_t expected,
                              const std::function<void()>& progress, Digester* read) {
    bytes_.reserve(expected + 1);

    std::size_t filled = 0;    // bytes read and kept, from the start of the file
    std::size_t rowStart = 0;  // where the row not yet ended starts
    int error = 0;
    bool atEnd = false;
    std::vector<LoadPiece> pieces;
    if (progress) progress();
    while (!atEnd) {
        // Past the size the file had when it was opened (it grew) it is read on one read at a
        // time until its end.
        const std::size_t left = expected > filled ? expected - filled : 0;
        std::size_t count = 1, share = kReadChunk;
        if (left > 0) {
            share = std::clamp((left / kPieces + kPieceUnit - 1) & ~(kPieceUnit - 1), kPieceUnit, kMaxPiece);
            count = std::min(kPieces, (left + share - 1) / share);
        }
        const std::size_t roundEnd = filled + (left > 0 ? std::min(left, count * share) : share);
        if (bytes_.capacity() < roundEnd + 1) bytes_.reserveMore(roundEnd + 1 - bytes_.size());
        pieces.assign(count, LoadPiece{});
        for (std::size_t k = 0; k < count; ++k) {
            pieces[k].from = filled + k * share;
            pieces[k].to = std::min(roundEnd, pieces[k].from + share);
        }
        char* base = bytes_.data();
        tbb::parallel_for(
            std::size_t{0}, count, [&](std::size_t k) { pieces[k].read(fd, base); },
            tbb::simple_partitioner());

        // The bytes up to the first piece that came back short are the file as read; a
        // piece after it is dropped.
        std::size_t rows = ends_.size();
        std::size_t used = 0;
        const std::size_t roundStart = filled;
        bool eofByte = false;
        while (used < count) {
            LoadPiece& p = pieces[used++];
            p.rowStart = rowStart;
            p.firstRow = rows;
            rows += p.lineEnds;
            if (p.lineEnds) rowStart = p.lastLf + 1;
            filled = p.end;
            // A piece ends short only at the end of the file, at a 0x1A or at a failed read.
            if (p.end < p.to) {
                error = p.error;
                eofByte = p.eofByte;
                atEnd = true;
                break;
            }
        }
        // Taken before the split drops CRs from the bytes where they lie.
        if (read && !error) {
            read->add(std::string_view(base + roundStart, filled - roundStart));
            if (eofByte) DigestFrom(fd, filled, *read);
        }
        ends_.reserveMore(rows + 1 - ends_.size());
        tbb::parallel_for(
            std::size_t{0}, used,
            [&](std::size_t k) {
                if (pieces[k].lineEnds) splitPiece(pieces[k]);
            },
            tbb::simple_partitioner());
        ends_.grow(rows - ends_.size());
        bytes_.grow(filled - bytes_.size());
        for (std::size_t k = 0; k < used; ++k) {
            rowBytes_ += pieces[k].rowBytes;
            farStarts_.insert(farStarts_.end(), pieces[k].far.begin(), pieces[k].far.end());
        }
        if (error) {
            // The rows read before the failed read stay; a row it cut off does not.
            bytes_.truncate(rowStart);
            throw ReadError(path, error);
        }
        // A last line without a line end.
        if (atEnd && rowStart < filled) {
            base = bytes_.data();
            const std::size_t end = DropCarriageReturns(base, filled, FirstCr(base, rowStart, filled));
            rowBytes_ += end - rowStart;
            ends_.push_back(endEntry(ends_.size(), end, filled, farStarts_));
        }
        if (progress) progress();
    }
    bytes_.shrinkToFit();
    ends_.shrinkToFit();
    return filled;
}

}  // namespace rs
