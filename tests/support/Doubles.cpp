#include "Doubles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace rs::test {

DoublesScope::DoublesScope() {
    InstallDialogs(&dialogs);
    InstallShell(&shell);
}

DoublesScope::~DoublesScope() {
    InstallDialogs(nullptr);
    InstallShell(nullptr);
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

std::vector<std::string> ReadCrlfLines(const std::string& path) {
    std::string all = ReadBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t lf = all.find('\n', start);
        if (lf == std::string::npos) {
            ADD_FAILURE() << "last line of " << path << " has no line end";
            lines.push_back(all.substr(start));
            break;
        }
        if (lf == start || all[lf - 1] != '\r') ADD_FAILURE() << "line end without CR in " << path;
        std::size_t end = (lf > start && all[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back(all.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

}  // namespace rs::test
