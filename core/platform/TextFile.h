#pragma once

#include "core/platform/Digest.h"
#include "core/platform/FileError.h"
#include "core/platform/TempNames.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace rs {

// Paths longer than this fail like any other file error.
constexpr std::size_t kMaxPathLength = 259;

// Reads a text file line by line: a line ends at LF or CR LF, any other CR is
// dropped from the line, the first 0x1A byte ends the input, lines have no length limit.
class TextReader {
public:
    // read, when given, takes every byte of the file that is open, a 0x1A and what follows it
    // included; it holds them all once close() has returned.
    explicit TextReader(const std::string& path, Digester* read = nullptr);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // The view stays valid until the next call. Returns false at the end of the input.
    bool readLine(std::string_view& line);
    void close();
    const std::string& path() const { return path_; }

private:
    bool fill();

    std::string path_;
    int fd_ = -1;
    std::thread digesting_;
    std::vector<char> buf_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;   // no more bytes will come from the file (end reached or 0x1A seen)
    std::string carry_;  // a line that runs across buffer refills
};

// Writes lines, each followed by CR LF, through a large buffer. The lines go to a file without
// a name in the target's folder, which close() names and renames into the target's place: a
// link at that name is replaced, never written through, and a writer that is never closed (a
// run stopped by an error, or a process killed at any moment) leaves the folder as it was. The
// new file keeps the owner, group and access (ACL or mode) of the regular file it replaces, where
// the system allows, and never gives anyone more; a regular file this user may not write is
// refused, as a write in place would be.
class TextWriter {
public:
    explicit TextWriter(const std::string& path);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void writeLine(std::string_view line);
    // Writes pieces of one line without a line end; end it with endLine().
    void write(std::string_view text);
    void endLine() { write(std::string_view("\r\n", 2)); }
    // Flushes, closes and puts the file in place; errors of the last writes surface here.
    void close();
    const std::string& path() const { return path_; }

private:
    void flush();
    [[noreturn]] void fail(const char* action, int err);
    void abandon();

    std::string path_;
    TempName temp_;  // the file's name until close() renames it over the target, where it has one
    int fd_ = -1;
    bool unnamed_ = false;
    bool viaProc_ = false;  // the unnamed file is named through /proc, else through its descriptor
    std::vector<char> buf_;
    std::size_t used_ = 0;
};

// Throws FileError when the path is longer than the platform allows.
void CheckPathLength(const std::string& path, const char* action);

// Opens a file the user chose for reading. Never blocks: a named pipe, a device or a folder
// is refused with a FileError instead of being waited on, and the descriptor stays
// non-blocking, so a file whose read would wait for data reports that instead. Returns it.
int OpenForReading(const std::string& path);
// An open descriptor, closed with the object.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Adds the bytes of the open file at fd from offset at to its end. A read that fails stops it
// short, which leaves a digest that no complete file has.
void DigestFrom(int fd, std::size_t at, Digester& read) noexcept;
// Reads up to size bytes from fd; 0 at its end. Throws ReadError's error.
std::size_t ReadSome(int fd, char* buf, std::size_t size, const std::string& path);
// The error of a failed read of path, errno err: one that would wait says so in words.
FileError ReadError(const std::string& path, int err);

// True when both paths name one existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

bool FileExists(const std::string& path);

// What a path names, links followed.
enum class FileKind { Missing, Regular, Folder, Other };
FileKind KindOf(const std::string& path);

// Makes a write past the file-size limit fail with an error that the run reports ("File too
// large"), as a full disk does, instead of ending the program. The signal is caught, not
// ignored, so that the programs this one starts get its default again.
void ReportWritesPastTheSizeLimit();

namespace detail {
// Makes writers use a named file beside the target, as they do where the file system refuses
// files without a name; for the tests of that way.
void UseNamedTempFiles(bool on);
// Has writers call hook(path) once they have looked at what stands at their name; for the tests of
// a name that is swapped for something else meanwhile. nullptr: no call.
void SetAfterLookUp(void (*hook)(const std::string& path));
}  // namespace detail

}  // namespace rs
