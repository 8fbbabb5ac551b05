// Compare and merge of two fuzzed files: the compare reports every unmatched copy of a line,
// in sorted order; MATCH writes the lines whose key the other file has, MISMATCH the others,
// so that together they write each non-blank line of the chosen files once.
#include "core/compare/CompareLogic.h"
#include "core/compare/Merge.h"
#include "core/platform/Chars.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <map>
#include <set>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

constexpr std::size_t kCompareHeader = 14, kMergeHeader = 11;

Lines Body(const std::string& path, std::size_t header) {
    Lines lines = fuzz::WrittenLines(path);
    FUZZ_CHECK(lines.size() >= header);
    return Lines(lines.begin() + static_cast<std::ptrdiff_t>(header), lines.end());
}

Lines NonBlank(const LoadedFile& f) {
    Lines rows;
    for (std::size_t i = 0; i < f.ListHidden.size(); ++i)
        if (!chars::IsBlank(f.ListHidden[i])) rows.emplace_back(f.ListHidden[i]);
    return rows;
}

void Compare(const std::string& path1, const std::string& path2, const LoadedFile& a, const LoadedFile& b,
             const std::string& results) {
    NullProgress progress;
    CompareLoadedFiles({path1, path2}, a, b, results, progress);
    const Lines body = Body(results, kCompareHeader);
    FUZZ_CHECK(body.size() % 3 == 0);
    std::map<std::string, long> balance;  // copies in File 1 less copies in File 2
    for (const std::string& line : NonBlank(a)) ++balance[line];
    for (const std::string& line : NonBlank(b)) --balance[line];
    Lines reported;
    for (std::size_t k = 0; k < body.size(); k += 3) {
        const bool gone = body[k] == "Before File - Line No Longer Found:";
        FUZZ_CHECK(gone || body[k] == "After File - New Line Found:");
        FUZZ_CHECK(body[k + 2] == " ");
        balance[body[k + 1]] += gone ? -1 : 1;
        reported.push_back(body[k + 1]);
    }
    for (const auto& [line, left] : balance) FUZZ_CHECK(left == 0);
    FUZZ_CHECK(std::is_sorted(reported.begin(), reported.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool merge = in.ConsumeBool();
    MergeSettings s;
    s.start1 = fuzz::Position(in);
    s.start2 = fuzz::Position(in);
    const std::int32_t width = fuzz::Position(in) % 8;
    s.end1 = s.start1 + width;
    s.end2 = s.start2 + width;
    s.output = static_cast<MergeOutput>(in.ConsumeIntegralInRange(0, 2));
    s.file1 = fuzz::ScratchFile("one.txt");
    s.file2 = fuzz::ScratchFile("two.txt");
    test::WriteBytes(s.file1, in.ConsumeRandomLengthString());
    test::WriteBytes(s.file2, in.ConsumeRemainingBytesAsString());
    LoadedFile a, b;
    LoadFileIntoList(s.file1, a);
    LoadFileIntoList(s.file2, b);
    const std::string results = fuzz::ScratchFile("Results.txt");
    if (!merge) {
        Compare(s.file1, s.file2, a, b, results);
        return 0;
    }
    // A line matches when its key, as much of it as the line holds, is a key of the other file;
    // a line that ends before the start position has no key.
    const Lines rows1 = NonBlank(a), rows2 = NonBlank(b);
    std::set<std::string> keys1, keys2;
    for (const std::string& row : rows1) keys1.insert(test::CharSlice(row, s.start1, s.end1));
    for (const std::string& row : rows2) keys2.insert(test::CharSlice(row, s.start2, s.end2));
    Lines expected[2];  // MATCH, MISMATCH
    auto sort = [&](const Lines& rows, std::int32_t start, std::int32_t end,
                    const std::set<std::string>& other) {
        for (const std::string& row : rows) {
            const std::string key = test::CharSlice(row, start, end);
            expected[key.empty() || !other.contains(key)].push_back(row);
        }
    };
    if (s.output != MergeOutput::File2Only) sort(rows1, s.start1, s.end1, keys2);
    if (s.output != MergeOutput::File1Only) sort(rows2, s.start2, s.end2, keys1);
    for (MergeMode mode : {MergeMode::Match, MergeMode::Mismatch}) {
        s.mode = mode;
        MergeLoadedFiles(s, a.ListHidden, b.ListHidden, results);
        FUZZ_CHECK(fuzz::Sorted(Body(results, kMergeHeader)) ==
                   fuzz::Sorted(expected[static_cast<int>(mode)]));
    }
    return 0;
}
