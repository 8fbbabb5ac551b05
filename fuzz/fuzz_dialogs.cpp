// The option dialogs' runs on fuzzed rows and settings: insert and remove by positions write
// a line for each row, remove by key drops exactly the rows whose key another row shares,
// extract agrees with the plain walks, and the duplicate and unique rows make up the input.
#include "FuzzSupport.h"
#include "workbench/DupsLogic.h"
#include "workbench/ExtractLogic.h"
#include "workbench/InsertLogic.h"
#include "workbench/RemoveLogic.h"
#include "workbench/UGlobal.h"

#include <map>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

// Characters first..last (1-based) of the row, or nothing when it has fewer than last.
std::optional<std::string> Chars(const std::string& row, std::int32_t first, std::int32_t last) {
    const std::vector<int> lengths = fuzz::PlainChars(row);
    if (static_cast<std::int64_t>(lengths.size()) < last) return std::nullopt;
    std::size_t b = 0, e = 0;
    for (std::int32_t k = 0; k < last; ++k) (k < first - 1 ? b : e) += static_cast<std::size_t>(lengths[k]);
    return row.substr(b, e);
}

Lines Run(auto run, const Lines& rows, const auto& settings) {
    const std::string results = fuzz::ScratchFile("Results.txt");
    NullProgress progress;
    run(fuzz::ToRowList(rows), settings, results, progress);
    return fuzz::WrittenLines(results);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int dialog = in.ConsumeIntegralInRange(0, 3);
    const std::int32_t first = fuzz::Position(in), width = fuzz::Position(in) % 8;
    const std::int32_t last = first + width;
    const bool flag1 = in.ConsumeBool(), flag2 = in.ConsumeBool();
    const std::string text1 = fuzz::SettingText(in), text2 = fuzz::SettingText(in);
    const Lines rows = test::ReferenceRows(in.ConsumeRemainingBytesAsString());
    InputLineCount = static_cast<std::int32_t>(rows.size());

    if (dialog == 0) {
        const Lines lines = Run(RunInsert, rows, InsertSettings{text1, first - 1, text2, text1});
        FUZZ_CHECK(lines.size() == rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::optional<std::string> head = Chars(rows[i], 1, first - 1);
            const bool cut = !rows[i].empty() && head;
            const std::string middle = cut ? *head + text1 + rows[i].substr(head->size()) : rows[i];
            FUZZ_CHECK(lines[i] == text2 + middle + text1);
        }
    } else if (dialog == 1 && flag1) {
        // Every row whose key another row shares is dropped; the rest stay in order.
        std::map<std::string, int> keys;
        for (const std::string& row : rows)
            if (auto key = Chars(row, first, last)) ++keys[*key];
        Lines expected;
        for (const std::string& row : rows)
            if (auto key = Chars(row, first, last); !key || keys[*key] == 1) expected.push_back(row);
        FUZZ_CHECK(Run(RunRemove, rows, RemoveSettings{first, last, false, "", false, true}) == expected);
    } else if (dialog == 1) {
        const RemoveSettings s{first, last, !text1.empty(), text1, flag2, false};
        const Lines lines = Run(RunRemove, rows, s);
        if (!s.onlyIfContains || !s.entireRow) FUZZ_CHECK(lines.size() == rows.size());
    } else if (dialog == 2) {
        ExtractSettings s;
        s.choice = flag1 ? ExtractChoice::Positions : ExtractChoice::ExtractWords;
        s.first = first;
        s.last = last;
        Lines expected;
        for (const std::string& row : rows)
            if (auto part = Chars(row, first, last)) expected.push_back(*part);
        FUZZ_CHECK(Run(RunExtract, rows, s) == (flag1 ? expected : test::ReferenceWords(rows)));
    } else {
        // "Write all duplicate rows" and "Write all NON duplicate rows" give every row once.
        Lines both = Run(RunDups, rows, DupsSettings{first, last, DupsChoice::OnlyDups});
        const Lines unique = Run(RunDups, rows, DupsSettings{first, last, DupsChoice::NoDups});
        both.insert(both.end(), unique.begin(), unique.end());
        FUZZ_CHECK(fuzz::Sorted(both) == fuzz::Sorted(rows));
        FUZZ_CHECK(Run(RunDups, rows, DupsSettings{first, last, DupsChoice::All1Dups}).size() >= unique.size());
    }
    return 0;
}
