// The option dialogs' runs on fuzzed rows and settings, against plain walks over the rows:
// insert writes a line for each row, remove drops a range or the rows whose key another row
// shares, extract takes parts or words, and each row goes to an extract or to its opposite;
// "Write all duplicate rows" and "Write all NON duplicate rows (Unique)" give every row once.
#include "core/workbench/DupsLogic.h"
#include "core/workbench/ExtractLogic.h"
#include "core/workbench/InsertLogic.h"
#include "core/workbench/RemoveLogic.h"
#include "fuzz/FuzzSupport.h"

#include <map>
#include <optional>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

// Characters first..last (1-based) of the row, or nothing when it has fewer than last.
std::optional<std::string> Chars(const std::string& row, std::int32_t first, std::int32_t last) {
    if (static_cast<std::int64_t>(test::PlainChars(row).size()) < last) return std::nullopt;
    return test::CharSlice(row, first, last);
}

Lines Run(auto run, const Lines& rows, const auto& settings) {
    const std::string results = fuzz::ScratchFile("Results.txt");
    NullProgress progress;
    RunCounters counters;
    counters.InputLineCount = static_cast<std::int32_t>(rows.size());
    run(fuzz::ToRowList(rows), settings, results, progress, counters);
    return fuzz::WrittenLines(results);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int dialog = in.ConsumeIntegralInRange(0, 3), variant = in.ConsumeIntegralInRange(0, 5);
    const std::int32_t first = fuzz::Position(in), width = fuzz::Position(in) % 8;
    const std::int32_t last = first + width;
    const bool flag1 = in.ConsumeBool(), flag2 = in.ConsumeBool();
    const std::string text1 = fuzz::SettingText(in), text2 = fuzz::SettingText(in);
    const Lines rows = test::ReferenceRows(in.ConsumeRemainingBytesAsString());

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
        // The range goes from each row long enough, or with "only delete if" the row goes.
        const RemoveSettings s{first, last, !text1.empty(), text1, flag2, false};
        Lines expected;
        for (const std::string& row : rows) {
            const std::optional<std::string> range = Chars(row, first, last);
            if (!range || (s.onlyIfContains && range->find(text1) == std::string::npos))
                expected.push_back(row);
            else if (!s.onlyIfContains || !s.entireRow)
                expected.push_back(test::CharSlice(row, 1, first - 1) +
                                   test::CharSlice(row, last + 1, INT32_MAX));
        }
        FUZZ_CHECK(Run(RunRemove, rows, s) == expected);
    } else if (dialog == 2) {
        static constexpr ExtractChoice kChoices[] = {ExtractChoice::Positions, ExtractChoice::ExtractWords,
                                                     ExtractChoice::String,    ExtractChoice::StringBetween,
                                                     ExtractChoice::StrExists, ExtractChoice::StringByte};
        ExtractSettings s;
        s.choice = kChoices[variant];
        s.first = s.bytePosition = first;
        s.last = last;
        s.count = width;
        s.startText = s.betweenStart = s.existsText = s.byteText = text1;
        s.betweenEnd = text2;
        if (ValidateExtract(s)) return 0;
        const Lines lines = Run(RunExtract, rows, s);
        Lines expected;
        for (const std::string& row : rows)
            if (auto part = Chars(row, first, last)) expected.push_back(*part);
        if (variant < 2) FUZZ_CHECK(lines == (variant == 0 ? expected : test::ReferenceWords(rows)));
        if (variant >= 4) {
            // Whole rows that hold the text, or hold it first at the position.
            expected.clear();
            for (const std::string& row : rows) {
                const std::size_t at = row.find(text1);
                const auto position =
                    static_cast<std::int32_t>(test::PlainChars(row.substr(0, at)).size()) + 1;
                if (at != std::string::npos && (variant == 4 || position == first)) expected.push_back(row);
            }
            FUZZ_CHECK(lines == expected);
        }
        // A row that passes the test gives its part; the opposite writes each row that does not.
        s.opposite = true;
        if (variant >= 2) FUZZ_CHECK(lines.size() + Run(RunExtract, rows, s).size() == rows.size());
    } else {
        Lines written[3];
        for (DupsChoice choice : {DupsChoice::OnlyDups, DupsChoice::NoDups, DupsChoice::All1Dups}) {
            written[static_cast<int>(choice)] = Run(RunDups, rows, DupsSettings{first, last, choice});
            FUZZ_CHECK(written[static_cast<int>(choice)] == test::ReferenceDups(rows, first, last, choice));
        }
        // "Write all duplicate rows" and "Write all NON duplicate rows (Unique)" give every row once.
        written[0].insert(written[0].end(), written[1].begin(), written[1].end());
        FUZZ_CHECK(fuzz::Sorted(written[0]) == fuzz::Sorted(rows));
    }
    return 0;
}
