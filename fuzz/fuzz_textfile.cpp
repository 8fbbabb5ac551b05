// The text reader and the row list's file load against the line rules on any bytes, placed
// anywhere around their read sizes; the rows written and read again come back unchanged.
#include "core/platform/TextFile.h"
#include "fuzz/FuzzSupport.h"

using namespace rs;

namespace {

std::vector<std::string> LoadedRows(const std::string& path) {
    RowList list;
    list.loadFile(path);
    return test::ListRows(list);
}

// No filler, or enough to reach the reader's read size (256 KiB) or the row list's (1 MiB).
constexpr std::size_t kFillTo[] = {0, 0, 0, 0, 0, 0, std::size_t{1} << 18, std::size_t{1} << 20};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::size_t fillTo = kFillTo[in.ConsumeIntegralInRange<std::size_t>(0, 7)];
    const auto before = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    const bool endFiller = in.ConsumeBool();
    // One long row of filler puts the fuzzed bytes just before the boundary, within its row
    // or after its line end.
    std::string bytes(fillTo ? fillTo - before : 0, 'x');
    if (!bytes.empty() && endFiller) bytes.back() = '\n';
    bytes += in.ConsumeRemainingBytesAsString();

    const std::string input = fuzz::ScratchFile("in.txt");
    test::WriteBytes(input, bytes);
    const std::vector<std::string> rows = test::ReferenceRows(bytes);
    FUZZ_CHECK(test::ReaderRows(input) == rows);
    FUZZ_CHECK(LoadedRows(input) == rows);

    const std::string output = fuzz::ScratchFile("out.txt");
    TextWriter writer(output);
    for (const std::string& row : rows) writer.writeLine(row);
    writer.close();
    FUZZ_CHECK(fuzz::WrittenLines(output) == rows);
    FUZZ_CHECK(test::ReaderRows(output) == rows);
    FUZZ_CHECK(LoadedRows(output) == rows);
    return 0;
}
