#include "tests/support/Doubles.h"

#include "core/platform/TextFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace rs::test {

DoublesScope::DoublesScope() {
    dialogs.events = &events;
    shell.events = &events;
    InstallDialogs(&dialogs);
    InstallShell(&shell);
    InstallAppState(&state);
}

DoublesScope::~DoublesScope() {
    InstallDialogs(nullptr);
    InstallShell(nullptr);
    InstallAppState(nullptr);
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    struct rlimit limit {};
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    old_ = limit.rlim_cur;
    // As the program does: otherwise the write past the limit would end the process.
    ::sigaction(SIGXFSZ, nullptr, &oldAction_);
    ReportWritesPastTheSizeLimit();
    limit.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = old_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::sigaction(SIGXFSZ, &oldAction_, nullptr);
}

std::string OnlyMessage(const RunOutcome& outcome) {
    const bool one = outcome.open == RunOutcome::Open::Nothing && outcome.messages.size() == 1;
    return one ? outcome.messages[0] : std::string();
}

bool Publishes(const RunOutcome& outcome, const std::string& file) {
    return outcome.open == RunOutcome::Open::File && outcome.target == file;
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "rowsmith-test-XXXXXX").string();
    char* p = ::mkdtemp(tmpl.data());
    if (!p) throw std::runtime_error("mkdtemp failed");
    path_ = p;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

Lines Entries(const std::string& folder) {
    Lines names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

Lines ReaderRows(const std::string& path) {
    std::vector<std::string> rows;
    TextReader in(path);
    std::string_view line;
    while (in.readLine(line)) rows.emplace_back(line);
    return rows;
}

Lines ListRows(const RowList& list) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < list.size(); ++i) rows.emplace_back(list[i]);
    return rows;
}

RowList RowListOf(const Lines& rows) {
    RowList list;
    for (const auto& r : rows) list.append(r);
    return list;
}

bool SplitCrlfLines(const std::string& bytes, std::vector<std::string>& lines) {
    bool crlf = true;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(bytes.substr(start));
            return false;
        }
        std::size_t end = lf;
        if (lf > start && bytes[lf - 1] == '\r')
            --end;
        else
            crlf = false;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return crlf;
}

std::vector<std::string> ReadCrlfLines(const std::string& path) {
    std::vector<std::string> lines;
    if (!SplitCrlfLines(ReadBytes(path), lines))
        ADD_FAILURE() << "a line of " << path << " does not end with CR LF";
    return lines;
}

}  // namespace rs::test
