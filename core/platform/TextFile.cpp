#include "core/platform/TextFile.h"

#include "core/platform/LineScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <random>

namespace rs {

namespace {
constexpr std::size_t kReadChunk = 1 << 18;
constexpr std::size_t kWriteChunk = 1 << 18;
constexpr char kEof = 0x1A;
constexpr const char* kNotRegular = "It is not a regular file";

// Clears O_NONBLOCK once the file is known to be a regular one.
void MakeBlocking(int fd) {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0 && (flags & O_NONBLOCK)) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// Refuses an open descriptor that is not a regular file (closing it).
void RequireRegular(int fd, const std::string& path, const char* action) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        throw FileError::fromErrno(path, action, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        if (S_ISDIR(st.st_mode)) throw FileError::fromErrno(path, action, EISDIR);
        throw FileError(path, action, kNotRegular);
    }
    MakeBlocking(fd);
}

std::string FolderPart(const std::string& path) {
    auto p = path.rfind('/');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

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

void CheckPathLength(const std::string& path, const char* action) {
    if (path.size() > kMaxPathLength) throw FileError(path, action, "File name too long");
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

FileKind KindOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return FileKind::Missing;
    return S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int OpenForReading(const std::string& path) {
    const char* action = "Cannot open file";
    CheckPathLength(path, action);
    if (path.empty()) throw FileError(path, action, "No file name");
    // Without O_NONBLOCK the open of a named pipe waits for a writer, and the window with it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw FileError::fromErrno(path, action, errno);
    RequireRegular(fd, path, action);
    return fd;
}

TextReader::TextReader(const std::string& path) : path_(path) {
    fd_ = OpenForReading(path);
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
    const char* action = "Cannot create file";
    CheckPathLength(path, action);
    if (path.empty()) throw FileError(path, action, "No file name");
    // What stands at the name itself, links not followed: a link or a file is replaced on
    // close(); a folder, a pipe or a device is refused before anything is written.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) throw FileError::fromErrno(path, action, EISDIR);
        throw FileError(path, action, kNotRegular);
    }
    // A name of our own beside the target, so that the rename stays on one file system.
    std::random_device rd;
    const std::string base = FolderPart(path) + ".rowsmith-";
    for (int attempt = 0; fd_ < 0; ++attempt) {
        tempPath_ = base + std::to_string(rd()) + ".tmp";
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt > 100)) throw FileError::fromErrno(path, action, errno);
    }
    buf_.resize(kWriteChunk);
}

TextWriter::~TextWriter() {
    if (fd_ < 0) return;
    // Never closed (an exception is on its way): the name keeps what it held before.
    ::close(fd_);
    ::unlink(tempPath_.c_str());
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
    auto discardTemp = [this] { ::unlink(tempPath_.c_str()); };
    try {
        flush();
    } catch (...) {
        ::close(fd_);
        fd_ = -1;
        discardTemp();
        throw;
    }
    int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        int err = errno;
        discardTemp();
        throw FileError::fromErrno(path_, "Cannot write file", err);
    }
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        int err = errno;
        discardTemp();
        throw FileError::fromErrno(path_, "Cannot create file", err);
    }
}

}  // namespace rs
