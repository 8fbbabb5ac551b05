#include "TextFile.h"

#include "LineScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace rs {

namespace {
constexpr std::size_t kReadChunk = 1 << 18;
constexpr std::size_t kWriteChunk = 1 << 18;
constexpr char kEof = 0x1A;

// Removes every CR from [p, p+n) in place and returns the new length.
std::size_t DropCarriageReturns(char* p, std::size_t n) {
    char* cr = static_cast<char*>(std::memchr(p, '\r', n));
    if (!cr) return n;
    char* out = cr;
    for (char* in = cr + 1; in < p + n; ++in)
        if (*in != '\r') *out++ = *in;
    return static_cast<std::size_t>(out - p);
}
}  // namespace

FileError FileError::fromErrno(const std::string& path, const std::string& action, int err) {
    return FileError(path, action, std::strerror(err));
}

void CheckPathLength(const std::string& path, const char* action) {
    if (path.size() > kMaxPathLength) throw FileError(path, action, "File name too long");
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TextReader::TextReader(const std::string& path) : path_(path) {
    CheckPathLength(path, "Cannot open file");
    if (path.empty()) throw FileError(path, "Cannot open file", "No file name");
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw FileError::fromErrno(path, "Cannot open file", errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            throw FileError::fromErrno(path, "Cannot open file", EISDIR);
        }
        if (S_ISREG(st.st_mode)) size_ = st.st_size;
    }
    buf_.resize(kReadChunk);
}

TextReader::~TextReader() {
    if (fd_ >= 0) ::close(fd_);
}

void TextReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TextReader::fill() {
    if (eof_) return false;
    pos_ = 0;
    end_ = 0;
    for (;;) {
        ssize_t n = ::read(fd_, buf_.data(), buf_.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::fromErrno(path_, "Cannot read file", errno);
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        end_ = static_cast<std::size_t>(n);
        break;
    }
    if (const void* z = std::memchr(buf_.data(), kEof, end_)) {
        end_ = static_cast<std::size_t>(static_cast<const char*>(z) - buf_.data());
        eof_ = true;
        // Nothing before the 0x1A: no further line, not an empty one.
        if (end_ == 0) return false;
    }
    return true;
}

bool TextReader::readLine(std::string_view& line) {
    if (fd_ < 0 && pos_ >= end_ && carry_.empty()) return false;
    bool carrying = false;
    carry_.clear();
    for (;;) {
        if (pos_ >= end_) {
            if (!fill()) {
                if (!carrying) return false;
                // Last line without a line end.
                carry_.resize(DropCarriageReturns(carry_.data(), carry_.size()));
                line = carry_;
                return true;
            }
        }
        char* start = buf_.data() + pos_;
        std::size_t avail = end_ - pos_;
        std::size_t firstCr = detail::kNoCr;
        std::size_t len = detail::ScanLine(start, 0, avail, firstCr);
        if (len < avail) {
            pos_ += len + 1;
            if (!carrying) {
                if (firstCr == detail::kNoCr) {
                    line = std::string_view(start, len);
                } else if (firstCr == len - 1) {
                    line = std::string_view(start, len - 1);  // CR LF
                } else {
                    line = std::string_view(start, DropCarriageReturns(start, len));
                }
                return true;
            }
            carry_.append(start, len);
            carry_.resize(DropCarriageReturns(carry_.data(), carry_.size()));
            line = carry_;
            return true;
        }
        carry_.append(start, avail);
        carrying = true;
        pos_ = end_;
    }
}

TextWriter::TextWriter(const std::string& path) : path_(path) {
    CheckPathLength(path, "Cannot create file");
    if (path.empty()) throw FileError(path, "Cannot create file", "No file name");
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw FileError::fromErrno(path, "Cannot create file", errno);
    buf_.resize(kWriteChunk);
}

TextWriter::~TextWriter() {
    // An unclosed writer (an exception is on its way) still keeps what was written.
    if (fd_ >= 0) {
        try {
            flush();
        } catch (...) {
        }
        ::close(fd_);
    }
}

void TextWriter::flush() {
    std::size_t done = 0;
    while (done < used_) {
        ssize_t n = ::write(fd_, buf_.data() + done, used_ - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            used_ = 0;
            throw FileError::fromErrno(path_, "Cannot write file", errno);
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
}

void TextWriter::write(std::string_view text) {
    if (fd_ < 0) throw FileError(path_, "Cannot write file", "File is closed");
    if (text.size() > buf_.size() - used_) {
        flush();
        if (text.size() >= buf_.size()) {
            // A line larger than the buffer goes straight to the file.
            std::size_t done = 0;
            while (done < text.size()) {
                ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
                if (n < 0) {
                    if (errno == EINTR) continue;
                    throw FileError::fromErrno(path_, "Cannot write file", errno);
                }
                done += static_cast<std::size_t>(n);
            }
            return;
        }
    }
    // An empty view may carry no data at all, which memcpy must never see.
    if (!text.empty()) std::memcpy(buf_.data() + used_, text.data(), text.size());
    used_ += text.size();
}

void TextWriter::writeLine(std::string_view line) {
    if (line.size() + 2 <= buf_.size() - used_) {
        char* p = buf_.data() + used_;
        if (!line.empty()) std::memcpy(p, line.data(), line.size());
        p[line.size()] = '\r';
        p[line.size() + 1] = '\n';
        used_ += line.size() + 2;
        return;
    }
    write(line);
    endLine();
}

void TextWriter::close() {
    if (fd_ < 0) return;
    try {
        flush();
    } catch (...) {
        ::close(fd_);
        fd_ = -1;
        throw;
    }
    int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) throw FileError::fromErrno(path_, "Cannot write file", errno);
}

}  // namespace rs
