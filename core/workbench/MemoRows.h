#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rs {

// The rows of a memo's text: its lines in order, each without its line break (LF or CR LF).
// The empty line after a final break, or the whole of an empty text, is not a row; empty
// lines anywhere else are.
class MemoRows {
public:
    MemoRows() = default;
    explicit MemoRows(std::string text);

    std::int32_t count() const { return static_cast<std::int32_t>(spans_.size()); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_).substr(spans_[i].first, spans_[i].second);
    }

private:
    std::string text_;
    std::vector<std::pair<std::size_t, std::size_t>> spans_;  // offset and length of each row
};

}  // namespace rs
