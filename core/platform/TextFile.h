#pragma once

#include "core/platform/FileError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// Paths longer than this fail like any other file error.
constexpr std::size_t kMaxPathLength = 259;

// Reads a text file line by line: a line ends at LF or CR LF, any other CR is
// dropped from the line, the first 0x1A byte ends the input, lines have no length limit.
class TextReader {
public:
    explicit TextReader(const std::string& path);
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
    std::vector<char> buf_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;   // no more bytes will come from the file (end reached or 0x1A seen)
    std::string carry_;  // a line that runs across buffer refills
};

// Writes lines, each followed by CR LF, through a large buffer. The lines go to a new file
// beside the target, which close() renames into the target's place: a link at that name is
// replaced, never written through, and a writer that is never closed (a run stopped by an
// error) leaves the name as it was.
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
    // Flushes and closes; errors of the last writes surface here.
    void close();
    const std::string& path() const { return path_; }

private:
    void flush();

    std::string path_;
    std::string tempPath_;  // the new file until close() renames it
    int fd_ = -1;
    std::vector<char> buf_;
    std::size_t used_ = 0;
};

// Throws FileError when the path is longer than the platform allows.
void CheckPathLength(const std::string& path, const char* action);

// Opens a file the user chose for reading. Never blocks: a named pipe, a device or a folder
// is refused with a FileError instead of being waited on. Returns the descriptor.
int OpenForReading(const std::string& path);

// True when both paths name one existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

bool FileExists(const std::string& path);

// What a path names, links followed.
enum class FileKind { Missing, Regular, Folder, Other };
FileKind KindOf(const std::string& path);

}  // namespace rs
