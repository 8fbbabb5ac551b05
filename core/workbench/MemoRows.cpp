#include "core/workbench/MemoRows.h"

namespace rs {

MemoRows::MemoRows(std::string text) : text_(std::move(text)) {
    std::size_t start = 0;
    const std::size_t n = text_.size();
    while (start < n) {
        std::size_t lf = text_.find('\n', start);
        if (lf == std::string::npos) {
            spans_.emplace_back(start, n - start);
            break;
        }
        std::size_t end = lf;
        if (end > start && text_[end - 1] == '\r') --end;
        spans_.emplace_back(start, end - start);
        start = lf + 1;
    }
}

}  // namespace rs
