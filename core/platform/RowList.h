#pragma once

#include "core/platform/Digest.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rs {

namespace detail {

// Raw memory for RawArray: small blocks from malloc, large ones mapped straight from the
// system, so they grow in place without copying and are backed by huge pages where the
// system offers them (touching fresh memory is much cheaper that way).
struct RawBlock {
    void* p = nullptr;
    std::size_t mapped = 0;  // bytes mapped, 0 for a malloc block
};
// Resizes the block to hold bytes; the first keep bytes survive. Throws std::bad_alloc.
void ResizeBlock(RawBlock& b, std::size_t bytes, std::size_t keep);
void FreeBlock(RawBlock& b) noexcept;

// A growable array of trivially copyable items.
template <class T>
class RawArray {
public:
    RawArray() = default;
    RawArray(const RawArray& o) { assign(o); }
    RawArray(RawArray&& o) noexcept { swap(o); }
    RawArray& operator=(const RawArray& o) {
        if (this != &o) {
            size_ = 0;
            assign(o);
        }
        return *this;
    }
    RawArray& operator=(RawArray&& o) noexcept {
        swap(o);
        return *this;
    }
    ~RawArray() { FreeBlock(block_); }

    void swap(RawArray& o) noexcept {
        std::swap(block_, o.block_);
        std::swap(size_, o.size_);
        std::swap(cap_, o.cap_);
    }
    // Never null, so views of empty rows can go to memcpy and the like: an array without a
    // block (nothing reserved yet, or every item removed) points at a static empty item.
    T* data() { return block_.p ? static_cast<T*>(block_.p) : &none_; }
    const T* data() const { return block_.p ? static_cast<const T*>(block_.p) : &none_; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return cap_; }
    void clear() { size_ = 0; }
    void release() {
        FreeBlock(block_);
        size_ = cap_ = 0;
    }
    void reserve(std::size_t n) {
        if (n > cap_) reallocate(n);
    }
    // Room for at least n more items, growing by half again at least.
    void reserveMore(std::size_t n) {
        if (n > cap_ - size_) reallocate(std::max(size_ + n, cap_ + cap_ / 2 + 64));
    }
    void shrinkToFit() {
        if (size_ == 0) {
            release();
        } else if (size_ < cap_) {
            reallocate(size_);
        }
    }
    void push_back(T v) {
        if (size_ == cap_) reserveMore(1);
        data()[size_++] = v;
    }
    void append(const T* src, std::size_t n) {
        reserveMore(n);
        if (n) std::memcpy(data() + size_, src, n * sizeof(T));
        size_ += n;
    }
    // Items written straight into data() + size() after reserve.
    void grow(std::size_t n) { size_ += n; }
    void truncate(std::size_t n) {
        if (n < size_) size_ = n;
    }

private:
    void assign(const RawArray& o) {
        reserve(o.size_);
        if (o.size_) std::memcpy(data(), o.data(), o.size_ * sizeof(T));
        size_ = o.size_;
    }
    void reallocate(std::size_t n) {
        ResizeBlock(block_, n * sizeof(T), size_ * sizeof(T));
        cap_ = n;
    }

    static inline T none_{};
    RawBlock block_;
    std::size_t size_ = 0;
    std::size_t cap_ = 0;
};

}  // namespace detail

// An ordered list of rows kept in one byte buffer plus one end offset a row:
// no allocation per row, 8 bytes of overhead a row.
class RowList {
public:
    void clear() {
        bytes_.clear();
        ends_.clear();
        farStarts_.clear();
        rowBytes_ = 0;
        source_.clear();
    }
    // Frees the memory as well.
    void release() {
        bytes_.release();
        ends_.release();
        farStarts_ = {};
        rowBytes_ = 0;
        source_.clear();
    }
    void reserve(std::size_t bytes, std::size_t rows) {
        bytes_.reserve(bytes);
        ends_.reserve(rows);
    }
    void append(std::string_view row) {
        bytes_.append(row.data(), row.size());
        ends_.push_back(bytes_.size());
        rowBytes_ += row.size();
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.size() == 0; }
    std::string_view operator[](std::size_t i) const {
        const std::uint64_t* e = ends_.data();
        std::uint64_t b = i == 0 ? 0 : nextStart(i - 1, e[i - 1]);
        return std::string_view(bytes_.data() + b, (e[i] & kEndMask) - b);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    // Bytes of all rows, line ends not counted.
    std::size_t byteSize() const { return rowBytes_; }
    std::size_t memoryUsed() const { return bytes_.capacity() + ends_.capacity() * sizeof(std::uint64_t); }

    // The file the rows were loaded from; empty for rows put together in memory. A run that
    // writes a file checks it against this, so that it never overwrites the file its rows are.
    const std::string& source() const { return source_; }

    // Replaces the content with the rows of a text file (the text-file line rules).
    // Throws FileError; the rows read before a failed read stay.
    void loadFile(const std::string& path);
    // The same, calling progress once the file is open and again after each block of it has
    // been split into rows. A file that shrank while it was read is read again from the start:
    // progress is then called with no rows, and the rows it saw before are gone. read, when
    // given, takes the bytes of the file that the rows were split from, and what follows a 0x1A.
    void loadFile(const std::string& path, const std::function<void()>& progress, Digester* read = nullptr);

private:
    struct FarStart {
        std::size_t row;
        std::uint64_t next;
    };
    struct LoadPiece;
    void splitPiece(LoadPiece& piece);
    // One pass over the open file, whose size was expected when it began (0: not known);
    // returns the bytes of it that were kept.
    std::size_t loadOnce(int fd, const std::string& path, std::size_t expected,
                         const std::function<void()>& progress, Digester* read);
    std::uint64_t endEntry(std::size_t row, std::uint64_t end, std::uint64_t next,
                           std::vector<FarStart>& far);

    // A row's entry is the offset where it ends; rows read from a file keep the line end and
    // the CRs dropped from them in the buffer, and the top byte of the entry says how many
    // bytes that was up to the next row. Wider gaps (a row of hundreds of dropped CRs) are
    // looked up in farStarts_.
    static constexpr int kGapShift = 56;
    static constexpr std::uint64_t kEndMask = (std::uint64_t{1} << kGapShift) - 1;
    static constexpr std::uint64_t kFarGap = 255;
    std::uint64_t nextStart(std::size_t row, std::uint64_t entry) const {
        const std::uint64_t gap = entry >> kGapShift;
        if (gap == kFarGap) [[unlikely]]
            return farStart(row);
        return (entry & kEndMask) + gap;
    }
    std::uint64_t farStart(std::size_t row) const;

    detail::RawArray<char> bytes_;
    detail::RawArray<std::uint64_t> ends_;
    std::vector<FarStart> farStarts_;  // by row
    std::size_t rowBytes_ = 0;
    std::string source_;
};

}  // namespace rs
