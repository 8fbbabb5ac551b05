#pragma once

// Output rows collected in blocks: the row loops of the dialogs' runs write through it.

#include "core/platform/TextFile.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// Collects output rows in a large block and hands whole blocks to the writer, so a row
// made of several pieces costs a few copies and no call into the writer.
class RowOutput {
public:
    explicit RowOutput(TextWriter& writer) : writer_(writer), buf_(kCapacity) {}
    RowOutput(const RowOutput&) = delete;
    RowOutput& operator=(const RowOutput&) = delete;

    void put(std::string_view s) {
        if (s.size() > kCapacity - used_) {
            flush();
            if (s.size() > kCapacity) {
                writer_.write(s);
                return;
            }
        }
        if (!s.empty()) std::memcpy(buf_.data() + used_, s.data(), s.size());
        used_ += s.size();
    }
    void endLine() {
        if (kCapacity - used_ < 2) flush();
        buf_[used_] = '\r';
        buf_[used_ + 1] = '\n';
        used_ += 2;
    }
    void line(std::string_view s) {
        put(s);
        endLine();
    }
    // A line of s, where `readable` bytes from s.data() may be read (at least s.size()):
    // short texts are then copied in one fixed-size move.
    void line(std::string_view s, std::size_t readable) {
        if (s.size() <= 16 && readable >= 16 && kCapacity - used_ >= 18) {
            std::memcpy(buf_.data() + used_, s.data(), 16);
            used_ += s.size();
            buf_[used_] = '\r';
            buf_[used_ + 1] = '\n';
            used_ += 2;
            return;
        }
        line(s);
    }
    // Room for n bytes (n at most the capacity) written straight into the block; hand the
    // end of what was written to commit().
    char* reserve(std::size_t n) {
        if (n > kCapacity - used_) flush();
        return buf_.data() + used_;
    }
    void commit(const char* end) { used_ = static_cast<std::size_t>(end - buf_.data()); }
    static constexpr std::size_t capacity() { return kCapacity; }
    // Hands what is collected to the writer; call before closing it.
    void flush() {
        if (used_ == 0) return;
        writer_.write(std::string_view(buf_.data(), used_));
        used_ = 0;
    }

private:
    // Larger than the writer's own buffer, so full blocks go straight to the file.
    static constexpr std::size_t kCapacity = std::size_t{4} << 20;
    TextWriter& writer_;
    std::vector<char> buf_;
    std::size_t used_ = 0;
};

}  // namespace rs
