// Split on fuzzed rows and key positions: it writes only files beside the input, and the files,
// in their numbered order, hold every non-blank row before the first row too short for the key.
#include "core/filetools/SplitLogic.h"
#include "core/platform/Chars.h"
#include "core/platform/FileError.h"
#include "fuzz/FuzzSupport.h"

#include <filesystem>
#include <map>

using namespace rs;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    static const char* const kNames[] = {"in.txt", "in", "in.a b", "in."};
    SplitSettings s;
    s.startPos = fuzz::Position(in);
    s.endPos = s.startPos + fuzz::Position(in) % 8;
    s.keyInName = in.ConsumeBool();
    const std::string name = kNames[in.ConsumeIntegralInRange(0, 3)];
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    const fs::path root = fuzz::ScratchFile("split"), folder = root / "input";
    fs::remove_all(root);
    fs::create_directories(folder);
    s.inputPath = (folder / name).string();
    test::WriteBytes(s.inputPath, bytes);
    SplitResult outcome;
    bool failed = false;
    try {
        outcome = SplitFile(s, [](const std::string&) {});
    } catch (const FileError&) {
        failed = true;  // a key the file system refuses in a name
    }

    // Every file written lies in the input's folder and is numbered.
    std::map<long, fs::path> written;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path() == folder || entry.path() == s.inputPath) continue;
        FUZZ_CHECK(entry.path().parent_path() == folder && entry.is_regular_file());
        const std::string file = entry.path().filename().string();
        FUZZ_CHECK(file.starts_with("File"));
        FUZZ_CHECK(written.emplace(std::stol(file.substr(4)), entry.path()).second);
    }
    if (failed) return 0;

    std::vector<std::string> expected;
    bool stops = false;
    for (const std::string& row : test::ReferenceRows(bytes)) {
        if (chars::IsBlank(row)) continue;
        if (static_cast<std::int32_t>(test::PlainChars(row).size()) < s.endPos) {
            stops = true;
            break;
        }
        expected.push_back(row);
    }
    // Each file holds one run of rows with the same key; the next file starts at a change.
    std::vector<std::string> rows;
    long number = 0;
    std::string key;
    for (const auto& [n, path] : written) {
        FUZZ_CHECK(n == ++number);
        const std::vector<std::string> lines = fuzz::WrittenLines(path.string());
        FUZZ_CHECK(!lines.empty() && (n == 1 || test::CharSlice(lines[0], s.startPos, s.endPos) != key));
        key = test::CharSlice(lines[0], s.startPos, s.endPos);
        for (const std::string& line : lines) FUZZ_CHECK(test::CharSlice(line, s.startPos, s.endPos) == key);
        rows.insert(rows.end(), lines.begin(), lines.end());
    }
    const SplitCounts& c = outcome.counts;
    FUZZ_CHECK(rows == expected && outcome.stoppedEarly == stops);
    FUZZ_CHECK(c.filesWritten == number && c.rowsWritten == static_cast<std::int64_t>(rows.size()));
    FUZZ_CHECK(c.linesRead == c.rowsWritten + c.rowsSkipped);
    return 0;
}
