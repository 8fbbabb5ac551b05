// The main window's line operations on any input: the every-row modes write a line for each
// row read, "COUNT" numbers them in order, and removing a text deletes exactly what deleting
// its first occurrence again and again would.
#include "core/platform/Chars.h"
#include "core/workbench/LineOperations.h"
#include "fuzz/FuzzSupport.h"

using namespace rs;

namespace {

const char* const kModes[] = {"TRIM",  "LTRIM", "RTRIM", "UPPER",     "LOWER",
                              "COUNT", "TALLY", "SUM",   "WORDCOUNT", "REMOVE-BLANK"};
constexpr int kRemoveEverywhere = 10, kRemoveLines = 11;

// Deletes the first occurrence of text until there is none; returns the count.
std::int64_t EraseOneByOne(std::string& row, const std::string& text) {
    std::int64_t n = 0;
    for (std::size_t at; (at = row.find(text)) != std::string::npos; ++n) row.erase(at, text.size());
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int op = in.ConsumeIntegralInRange(0, kRemoveLines);
    const char separator = in.ConsumeBool() ? ',' : '.';
    std::string search = fuzz::SettingText(in);
    if (search.empty()) search = "a";  // the input box takes no empty answer
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    const std::vector<std::string> rows = test::ReferenceRows(bytes);
    const std::string input = fuzz::ScratchFile("in.txt"), results = fuzz::ScratchFile("Results.txt");
    test::WriteBytes(input, bytes);
    RunCounters counters;
    counters.InputLineCount = static_cast<std::int32_t>(rows.size());
    NullProgress progress;
    std::vector<std::string> expected;
    if (op == kRemoveLines) {
        const RunOutcome outcome = RemoveLinesContaining(fuzz::ToRowList(rows), search, results);
        for (const std::string& row : rows)
            if (row.find(search) == std::string::npos) expected.push_back(row);
        FUZZ_CHECK(outcome.messages.at(0) ==
                   "Total rows removed = " + std::to_string(rows.size() - expected.size()));
    } else if (op == kRemoveEverywhere) {
        RemoveTextEverywhere(input, search, results, progress, counters);
        for (std::string row : rows) {
            EraseOneByOne(row, search);
            expected.push_back(row);
        }
    } else {
        const std::string mode = kModes[op];
        std::string searchText = search;
        const RunOutcome outcome =
            RunLineOperation(mode, input, searchText, results, progress, counters, separator);
        const std::vector<std::string> lines = fuzz::WrittenLines(results);
        if (mode == "REMOVE-BLANK") {
            for (const std::string& row : rows)
                if (!chars::IsBlank(row)) expected.push_back(row);
            FUZZ_CHECK(lines == expected);
            return 0;
        }
        FUZZ_CHECK(lines.size() == rows.size());
        if (mode == "COUNT")
            for (std::size_t i = 0; i < rows.size(); ++i)
                FUZZ_CHECK(lines[i] == std::to_string(i + 1) + ") " + rows[i]);
        if (mode != "TALLY") return 0;
        // Letter case of a to z does not count; each row is written as the deletions left it.
        std::int64_t total = 0;
        for (const std::string& row : rows) {
            expected.push_back(chars::Upper(row));
            if (!row.empty()) total += EraseOneByOne(expected.back(), chars::Upper(search));
        }
        FUZZ_CHECK(outcome.messages.at(0).find(" occurred " + std::to_string(total) + " times") !=
                   std::string::npos);
    }
    FUZZ_CHECK(fuzz::WrittenLines(results) == expected);
    return 0;
}
