#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace rs {

namespace detail {

// A growable array of trivially copyable items on malloc/realloc: the system grows a large
// block without copying it, and large blocks are backed by huge pages where it offers them,
// which saves most of the cost of touching fresh memory.
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
    ~RawArray() { std::free(p_); }

    void swap(RawArray& o) noexcept {
        std::swap(p_, o.p_);
        std::swap(size_, o.size_);
        std::swap(cap_, o.cap_);
    }
    T* data() { return p_; }
    const T* data() const { return p_; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return cap_; }
    T& operator[](std::size_t i) { return p_[i]; }
    const T& operator[](std::size_t i) const { return p_[i]; }
    void clear() { size_ = 0; }
    void release() {
        std::free(p_);
        p_ = nullptr;
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
        p_[size_++] = v;
    }
    void append(const T* src, std::size_t n) {
        reserveMore(n);
        if (n) std::memcpy(p_ + size_, src, n * sizeof(T));
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
        if (o.size_) std::memcpy(p_, o.p_, o.size_ * sizeof(T));
        size_ = o.size_;
    }
    void reallocate(std::size_t n);

    T* p_ = nullptr;
    std::size_t size_ = 0;
    std::size_t cap_ = 0;
};

// Asks for huge pages on the whole 2 MiB pages inside [p, p + bytes).
void AdviseHugePages(void* p, std::size_t bytes);

template <class T>
void RawArray<T>::reallocate(std::size_t n) {
    void* q = std::realloc(p_, n * sizeof(T));
    if (!q) throw std::bad_alloc();
    p_ = static_cast<T*>(q);
    cap_ = n;
    AdviseHugePages(p_, n * sizeof(T));
}

}  // namespace detail

// An ordered list of rows kept in one byte buffer plus one end offset a row:
// no allocation per row, 8 bytes of overhead a row.
class RowList {
public:
    void clear() {
        bytes_.clear();
        ends_.clear();
        rowBytes_ = 0;
    }
    // Frees the memory as well.
    void release() {
        bytes_.release();
        ends_.release();
        rowBytes_ = 0;
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
        std::uint64_t b = i == 0 ? 0 : NextStart(ends_[i - 1]);
        return std::string_view(bytes_.data() + b, (ends_[i] & kEndMask) - b);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    // Bytes of all rows, line ends not counted.
    std::size_t byteSize() const { return rowBytes_; }
    std::size_t memoryUsed() const { return bytes_.capacity() + ends_.capacity() * sizeof(std::uint64_t); }

    // Replaces the content with the rows of a text file (the text-file line rules).
    // Throws FileError.
    void loadFile(const std::string& path);

private:
    // A row's entry is the offset where it ends; rows read from a file keep the line end that
    // followed them in the buffer, and the top byte of the entry says how many bytes that was.
    static constexpr int kGapShift = 56;
    static constexpr std::uint64_t kEndMask = (std::uint64_t{1} << kGapShift) - 1;
    static std::uint64_t NextStart(std::uint64_t entry) { return (entry & kEndMask) + (entry >> kGapShift); }

    detail::RawArray<char> bytes_;
    detail::RawArray<std::uint64_t> ends_;
    std::size_t rowBytes_ = 0;
};

}  // namespace rs
