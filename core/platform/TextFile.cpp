#include "core/platform/TextFile.h"

#include "core/platform/LineScan.h"

#include <acl/libacl.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
std::atomic<void (*)(const std::string&)> g_afterLookUp{nullptr};

// "/proc/self/fd/N": the name under which a link can give the unnamed file at N a name.
struct FdName {
    explicit FdName(int fd) { std::snprintf(text, sizeof text, "/proc/self/fd/%d", fd); }
    char text[32];
};

// How the unnamed file at fd can be given a name: a link of its /proc name, or a link of the
// descriptor itself, which older kernels allow to privileged users only.
enum class LinkWay { None, Proc, Descriptor };

// The way that works for fd, found before anything is written: a /proc that is missing or that
// refuses access leaves the descriptor. A link to "/" fails on its new name (EEXIST) only once
// the descriptor has been accepted.
LinkWay WayToName(int fd) {
    if (::faccessat(AT_FDCWD, FdName(fd).text, F_OK, 0) == 0) return LinkWay::Proc;
    if (::linkat(fd, "", AT_FDCWD, "/", AT_EMPTY_PATH) != 0 && errno == EEXIST) return LinkWay::Descriptor;
    return LinkWay::None;
}

// Gives the unnamed file open at fd the name `name`, the way the probe found; 0, or the errno of
// the failure. Allocates nothing: it runs while the clean-up of temporary names may be waiting.
int LinkUnnamed(int fd, LinkWay way, const FdName& self, const char* name) {
    int err = 0;
    if (way == LinkWay::Proc) {
        if (::linkat(AT_FDCWD, self.text, AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0) return 0;
        err = errno;
        if (err == EEXIST) return err;
    }
    // /proc may refuse at the end what it allowed at the start: the descriptor may still do.
    if (::linkat(fd, "", AT_FDCWD, name, AT_EMPTY_PATH) == 0) return 0;
    return err == 0 || errno == EEXIST ? errno : err;
}

// What an ACL entry lets its holder do, as mode bits.
mode_t PermBits(acl_entry_t entry) {
    acl_permset_t perms;
    if (::acl_get_permset(entry, &perms) != 0) return 0;
    return (::acl_get_perm(perms, ACL_READ) == 1 ? 4 : 0) | (::acl_get_perm(perms, ACL_WRITE) == 1 ? 2 : 0) |
           (::acl_get_perm(perms, ACL_EXECUTE) == 1 ? 1 : 0);
}

// Calls each(tag, entry) for every entry of acl.
template <class Each>
void ForEachEntry(acl_t acl, Each each) {
    acl_entry_t entry;
    acl_tag_t tag;
    for (int which = ACL_FIRST_ENTRY; ::acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY)
        if (::acl_get_tag_type(entry, &tag) == 0) each(tag, entry);
}

// The mode that gives no one more than acl does: the group bits are the owning group's own
// rights within the mask, never the mask itself.
mode_t ModeWithin(acl_t acl) {
    mode_t user = 0, group = 0, other = 0, mask = 07;
    ForEachEntry(acl, [&](acl_tag_t tag, acl_entry_t entry) {
        if (tag == ACL_USER_OBJ) user = PermBits(entry);
        if (tag == ACL_GROUP_OBJ) group = PermBits(entry);
        if (tag == ACL_OTHER) other = PermBits(entry);
        if (tag == ACL_MASK) mask = PermBits(entry);
    });
    return user << 6 | (group & mask) << 3 | other;
}

// Takes every right from the owning group's entry.
void DropGroupRights(acl_t acl) {
    ForEachEntry(acl, [](acl_tag_t tag, acl_entry_t entry) {
        acl_permset_t perms;
        if (tag != ACL_GROUP_OBJ || ::acl_get_permset(entry, &perms) != 0) return;
        ::acl_clear_perms(perms);
        ::acl_set_permset(entry, perms);
    });
}

// The ACL of the regular file held open at looked (as O_PATH), whose status is old: read where
// the file may be read, through /proc where only its name may be looked at. The file is held
// open, so no other file can have its device and inode meanwhile. nullptr, with errno, when it
// cannot be read.
acl_t AclOfReplaced(const std::string& path, int looked, const struct stat& old) {
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && st.st_dev == old.st_dev && st.st_ino == old.st_ino)
        return ::acl_get_fd(fd.get());
    return ::acl_get_file(FdName(looked).text, ACL_TYPE_ACCESS);
}

// The new file at fd takes the owner, group and access (ACL or mode) of the regular file that it
// replaces, held open at looked with the status old, whatever the name leads to by now, so that
// no one may do more with it than with the old one. Only root may give a file away; another user
// may still keep its group where it is one of theirs. Where the group cannot be kept, the group
// the file has instead gets no rights.
void KeepOwnerAndAccess(int fd, const std::string& path, int looked, const struct stat& old) {
    bool groupKept = true;
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            groupKept = now.st_gid == old.st_gid || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    }
    acl_t acl = AclOfReplaced(path, looked, old);
    if (!acl) {
        // A file system without ACLs has the mode alone; otherwise the mode's group bits may be
        // an ACL's mask, wider than the group's own rights.
        const bool noAcls = errno == ENOTSUP || errno == EOPNOTSUPP;
        (void)::fchmod(fd, old.st_mode & (groupKept && noAcls ? 0777 : 0707));
        return;
    }
    if (!groupKept) DropGroupRights(acl);
    if (::acl_set_fd(fd, acl) != 0) (void)::fchmod(fd, ModeWithin(acl));
    ::acl_free(acl);
}

extern "C" void IgnoreFileSizeSignal(int) {}
}  // namespace

void ReportWritesPastTheSizeLimit() {
    struct sigaction sa {};
    sa.sa_handler = IgnoreFileSizeSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGXFSZ, &sa, nullptr);
}

namespace detail {
void UseNamedTempFiles(bool on) { g_namedTempFiles.store(on); }
void SetAfterLookUp(void (*hook)(const std::string& path)) { g_afterLookUp.store(hook); }
}  // namespace detail

void DigestFrom(int fd, std::size_t at, Digester& read) noexcept {
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        read.add(std::string_view(buf, static_cast<std::size_t>(n)));
        at += static_cast<std::size_t>(n);
    }
}

Fd::~Fd() {
    if (fd_ >= 0) ::close(fd_);
}

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

TextReader::TextReader(const std::string& path, Digester* read) : path_(path) {
    fd_ = OpenForReading(path);
    buf_.resize(kReadChunk);
    // Taken on another core through this very descriptor, so the lines do not wait for it: the
    // descriptor keeps the file that was opened, whatever is saved under its name meanwhile.
    if (read) digesting_ = std::thread([fd = fd_, read] { DigestFrom(fd, 0, *read); });
}

TextReader::~TextReader() { close(); }

void TextReader::close() {
    if (digesting_.joinable()) digesting_.join();
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
    // close(); a folder, a pipe or a device is refused before anything is written. It is held
    // open, so that the owner and access the new file takes are this very file's.
    const Fd looked(::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    const bool replacing = looked.get() >= 0 && ::fstat(looked.get(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) throw FileError::fromErrno(path, action, EISDIR);
        throw FileError(path, action, kNotRegular);
    }
    const bool replacingFile = replacing && S_ISREG(st.st_mode);
    if (auto hook = g_afterLookUp.load()) hook(path);
    if (replacingFile && ::access(path.c_str(), W_OK) != 0) throw FileError::fromErrno(path, action, errno);
    // A file that replaces another is made private, then given the old file's owner and access
    // before it has a name; a new one gets what every new file gets.
    const mode_t createMode = replacingFile ? 0600 : 0666;
    // A file without a name vanishes with the process, whatever ends it; it is made in the
    // target's folder so that it can be named there.
    const std::string folder = FolderPart(path);
    if (!g_namedTempFiles.load()) {
        fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw FileError::fromErrno(path, action, errno);
        // One that could never be named would fail only once the whole output is written.
        const LinkWay way = fd_ >= 0 ? WayToName(fd_) : LinkWay::None;
        viaProc_ = way == LinkWay::Proc;
        if (fd_ >= 0 && way == LinkWay::None) {
            ::close(fd_);
            fd_ = -1;
        }
        unnamed_ = fd_ >= 0;
    }
    if (!unnamed_) {
        const int err = temp_.make(folder, [this, createMode](const char* name) {
            fd_ = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
            return fd_ < 0 ? errno : 0;
        });
        if (err != 0) fail(action, err);
    }
    if (replacingFile) KeepOwnerAndAccess(fd_, path, looked.get(), st);
    buf_.resize(kWriteChunk);
}

void TextWriter::abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    temp_.remove();
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
    bool inPlace = false;
    if (unnamed_) {
        // Complete: the file gets a name now, straight the target's when that is free, else a
        // temporary one that is renamed over the target.
        const FdName self(fd_);
        int err = EEXIST;
        struct stat at {};
        const LinkWay way = viaProc_ ? LinkWay::Proc : LinkWay::Descriptor;
        if (::lstat(path_.c_str(), &at) != 0 && errno == ENOENT)
            err = LinkUnnamed(fd_, way, self, path_.c_str());
        if (err == 0) {
            inPlace = true;
        } else if (err == EEXIST) {
            err = temp_.make(FolderPart(path_), [this, way, &self](const char* name) {
                return LinkUnnamed(fd_, way, self, name);
            });
            if (err != 0) fail("Cannot create file", err);
        } else {
            fail("Cannot create file", err);
        }
    }
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        const int err = errno;
        if (inPlace) ::unlink(path_.c_str());
        fail("Cannot write file", err);
    }
    if (!inPlace && ::rename(temp_.path().c_str(), path_.c_str()) != 0) fail("Cannot create file", errno);
    temp_.forget();
}

}  // namespace rs
