#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// An ordered list of rows kept in one byte buffer plus one end offset a row:
// no allocation per row, 8 bytes of overhead a row.
class RowList {
public:
    void clear() {
        bytes_.clear();
        ends_.clear();
    }
    // Frees the memory as well.
    void release() {
        std::vector<char>().swap(bytes_);
        std::vector<std::uint64_t>().swap(ends_);
    }
    void reserve(std::size_t bytes, std::size_t rows) {
        bytes_.reserve(bytes);
        ends_.reserve(rows);
    }
    void append(std::string_view row) {
        bytes_.insert(bytes_.end(), row.begin(), row.end());
        ends_.push_back(bytes_.size());
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        std::uint64_t b = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(bytes_.data() + b, ends_[i] - b);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    std::size_t byteSize() const { return bytes_.size(); }
    std::size_t memoryUsed() const {
        return bytes_.capacity() + ends_.capacity() * sizeof(std::uint64_t);
    }

    // Replaces the content with the rows of a text file (the text-file line rules).
    // Throws FileError.
    void loadFile(const std::string& path);

private:
    std::vector<char> bytes_;
    std::vector<std::uint64_t> ends_;
};

}  // namespace rs
