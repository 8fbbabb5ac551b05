#include "core/platform/TextFile.h"

#include "core/platform/LineScan.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>

namespace rs {

namespace {
constexpr std::size_t kReadChunk = 1 << 18;
constexpr std::size_t kWriteChunk = 1 << 18;
constexpr char kEof = 0x1A;
constexpr const char* kNotRegular = "It is not a regular file";

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

std::atomic<bool> g_namedTempFiles{false};

// The named files being written, which the handler of a signal that ends the program removes,
// so that a logout or a kill leaves no partial file behind. Fixed slots: the handler may only
// read memory that is never freed.
struct TempSlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> ready{false};
    char path[PATH_MAX] = {};
};
constexpr int kTempSlots = 64;
TempSlot g_tempSlots[kTempSlots];
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_oldActions[std::size(kEndSignals)];

extern "C" void RemoveTempFilesAndEnd(int sig) {
    for (TempSlot& slot : g_tempSlots)
        if (slot.ready.load()) ::unlink(slot.path);
    // What the signal did before does the rest: as a rule, end the program.
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i)
        if (kEndSignals[i] == sig) ::sigaction(sig, &g_oldActions[i], nullptr);
    ::raise(sig);
}

void InstallEndHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
            struct sigaction old {};
            ::sigaction(kEndSignals[i], nullptr, &old);
            // A signal the program was started to ignore (nohup) stays ignored.
            if (!(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_IGN) continue;
            g_oldActions[i] = old;
            struct sigaction sa {};
            sa.sa_handler = RemoveTempFilesAndEnd;
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = SA_RESTART;
            ::sigaction(kEndSignals[i], &sa, nullptr);
        }
    });
}

int RegisterTemp(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    InstallEndHandlers();
    for (int i = 0; i < kTempSlots; ++i) {
        bool expected = false;
        if (!g_tempSlots[i].taken.compare_exchange_strong(expected, true)) continue;
        std::memcpy(g_tempSlots[i].path, path.c_str(), path.size() + 1);
        g_tempSlots[i].ready.store(true);
        return i;
    }
    return -1;
}

void UnregisterTemp(int slot) {
    if (slot < 0) return;
    g_tempSlots[slot].ready.store(false);
    g_tempSlots[slot].taken.store(false);
}

// Holds off the signals that end the program while a name is made and registered, so that no
// name is made that the handler would not know of.
class EndSignalsHeld {
public:
    EndSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kEndSignals) sigaddset(&set, sig);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~EndSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    EndSignalsHeld(const EndSignalsHeld&) = delete;
    EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;

private:
    sigset_t old_;
};

// Gives the unnamed file open at fd the name `name`; 0, or the errno of the failure.
int LinkUnnamed(int fd, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    const int err = errno;
    // Without /proc the descriptor itself can name the file, where the system allows it.
    if (err == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    return err;
}

// The new file takes the mode, owner and group of the regular file it replaces. Only root may
// give a file away; another user may still keep its group where it is one of theirs.
void KeepOwnerAndMode(int fd, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno == EPERM) (void)::fchown(fd, -1, old.st_gid);
    }
    (void)::fchmod(fd, old.st_mode & 0777);
}
}  // namespace

namespace detail {
void UseNamedTempFiles(bool on) { g_namedTempFiles.store(on); }
}  // namespace detail

FileError ReadError(const std::string& path, int err) {
    if (err == EAGAIN || err == EWOULDBLOCK)
        return FileError(path, "Cannot read file", "Reading it would wait for data that may never come");
    return FileError::fromErrno(path, "Cannot read file", err);
}

std::size_t ReadSome(int fd, char* buf, std::size_t size, const std::string& path) {
    for (;;) {
        const ssize_t n = ::read(fd, buf, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw ReadError(path, errno);
    }
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
    end_ = ReadSome(fd_, buf_.data(), buf_.size(), path_);
    if (end_ == 0) {
        eof_ = true;
        return false;
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
    const bool replacing = ::lstat(path.c_str(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) throw FileError::fromErrno(path, action, EISDIR);
        throw FileError(path, action, kNotRegular);
    }
    const bool replacingFile = replacing && S_ISREG(st.st_mode);
    if (replacingFile && ::access(path.c_str(), W_OK) != 0) throw FileError::fromErrno(path, action, errno);
    // A file without a name vanishes with the process, whatever ends it; it is made in the
    // target's folder so that it can be named there.
    const std::string folder = FolderPart(path);
    if (!g_namedTempFiles.load()) {
        fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw FileError::fromErrno(path, action, errno);
        unnamed_ = fd_ >= 0;
    }
    if (!unnamed_) nameTemp(false);
    if (replacingFile) KeepOwnerAndMode(fd_, st);
    buf_.resize(kWriteChunk);
}

// A fresh name beside the target: for the file being written where the file system refuses
// unnamed files, or for the finished unnamed file when the target's name is taken.
void TextWriter::nameTemp(bool linkOpenFile) {
    EndSignalsHeld held;
    std::random_device rd;
    const std::string base = FolderPart(path_) + ".rowsmith-";
    for (int attempt = 0;; ++attempt) {
        tempPath_ = base + std::to_string(rd()) + ".tmp";
        int err = 0;
        if (linkOpenFile) {
            err = LinkUnnamed(fd_, tempPath_);
        } else {
            fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0) err = errno;
        }
        if (err == 0) break;
        tempPath_.clear();
        if (err != EEXIST || attempt > 100) fail("Cannot create file", err);
    }
    tempSlot_ = RegisterTemp(tempPath_);
}

void TextWriter::abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    forgetTemp();
}

void TextWriter::forgetTemp() {
    UnregisterTemp(tempSlot_);
    tempSlot_ = -1;
    tempPath_.clear();
}

void TextWriter::fail(const char* action, int err) {
    abandon();
    throw FileError::fromErrno(path_, action, err);
}

TextWriter::~TextWriter() {
    // Never closed (an exception is on its way): the name keeps what it held before.
    if (fd_ >= 0) abandon();
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
        abandon();
        throw;
    }
    struct stat st {};
    if (::fstat(fd_, &st) == 0) written_ = StampFrom(st);
    bool inPlace = false;
    if (unnamed_) {
        // Complete: the file gets a name now, straight the target's when that is free.
        int err = EEXIST;
        struct stat at {};
        if (::lstat(path_.c_str(), &at) != 0 && errno == ENOENT) err = LinkUnnamed(fd_, path_);
        if (err == 0)
            inPlace = true;
        else if (err == EEXIST)
            nameTemp(true);
        else
            fail("Cannot create file", err);
    }
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        const int err = errno;
        if (inPlace) ::unlink(path_.c_str());
        fail("Cannot write file", err);
    }
    if (!inPlace && ::rename(tempPath_.c_str(), path_.c_str()) != 0) fail("Cannot create file", errno);
    forgetTemp();
}

}  // namespace rs
