// The operations that copy rows from one text to another: bulk insert's copy of a file writes
// the data rows around each key line, combine writes every row of every file in list order, and
// the template builder writes the template once for every filler row with the keys replaced.
#include "core/filetools/BulkInsertLogic.h"
#include "core/filetools/CombineLogic.h"
#include "core/platform/TextFile.h"
#include "core/workbench/TemplateLogic.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

using namespace rs;
using Lines = std::vector<std::string>;

namespace {

// Every occurrence of key, left to right, replaced; what was put in is not searched again.
std::string ReplaceAll(const std::string& text, const std::string& key, const std::string& filler) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(key, from)) != std::string::npos; from = at + key.size())
        out += text.substr(from, at - from) + filler;
    return out + text.substr(from);
}

// The rows of a multi-line box's text: its lines, the empty one after a last line end not counted.
Lines MemoLines(const std::string& text) {
    Lines lines;
    for (std::size_t from = 0, lf; from < text.size(); from = lf + 1) {
        lf = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, lf - from));
    }
    return lines;
}

void Template(FuzzedDataProvider& in, const std::string& results) {
    std::string keys[3], fillers[3];
    for (int k = 0; k < 3; ++k) {
        keys[k] = fuzz::SettingText(in, 4);
        fillers[k] = fuzz::SettingText(in, 24, true);
    }
    const std::string text = fuzz::SettingText(in, 64, true);
    const TemplateSettings s{
        MemoRows(text),      keys[0], keys[1], keys[2], MemoRows(fillers[0]), MemoRows(fillers[1]),
        MemoRows(fillers[2])};
    if (ValidateTemplate(s)) return;
    TextWriter out(results);
    const std::int64_t count = WriteTemplateCopies(s, out);
    out.close();
    const Lines rows = MemoLines(text), lines = fuzz::WrittenLines(results);
    Lines filler[3];
    for (int k = 0; k < 3; ++k) filler[k] = MemoLines(fillers[k]);
    Lines expected;
    for (std::size_t r = 0; r < filler[0].size(); ++r) {
        for (std::string row : rows) {
            for (int k = 0; k < 3; ++k)
                if (!filler[k].empty()) row = ReplaceAll(row, keys[k], filler[k][r]);
            expected.push_back(row);
        }
    }
    FUZZ_CHECK(lines == expected && count == static_cast<std::int64_t>(lines.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int operation = in.ConsumeIntegralInRange(0, 2);
    const bool before = in.ConsumeBool(), after = in.ConsumeBool();
    const std::string results = fuzz::ScratchFile("Results.txt");
    if (operation == 2) {
        Template(in, results);
        return 0;
    }
    const std::string key = fuzz::SettingText(in), dataText = fuzz::SettingText(in, 24, true);
    const std::string one = fuzz::ScratchFile("one.txt"), two = fuzz::ScratchFile("two.txt");
    const std::string bytes = in.ConsumeRandomLengthString();
    test::WriteBytes(one, bytes);
    test::WriteBytes(two, in.ConsumeRemainingBytesAsString());
    const Lines rows = test::ReferenceRows(bytes);
    Lines expected;
    if (operation == 0) {
        BulkInsertCounts counts;
        const Lines dataRows = MemoRowList(dataText);
        BulkInsertOneFile(one, results, key, before, after, dataRows, counts);
        std::int64_t keyLines = 0;
        for (const std::string& row : rows) {
            const bool keyLine = row.find(key) != std::string::npos;
            keyLines += keyLine;
            if (keyLine && before) expected.insert(expected.end(), dataRows.begin(), dataRows.end());
            expected.push_back(row);
            if (keyLine && after) expected.insert(expected.end(), dataRows.begin(), dataRows.end());
        }
        const auto perLine = static_cast<std::int64_t>(dataRows.size());
        FUZZ_CHECK(counts.BeforeCount == (before ? keyLines * perLine : 0));
        FUZZ_CHECK(counts.AfterCount == (after ? keyLines * perLine : 0));
    } else {
        // A file may be listed twice.
        const CombineResult outcome = CombineFiles({one, two, one}, results);
        const Lines rows2 = test::ReferenceRows(test::ReadBytes(two));
        for (const Lines* file : {&rows, &rows2, &rows})
            expected.insert(expected.end(), file->begin(), file->end());
        FUZZ_CHECK(outcome.linesRead == static_cast<std::int64_t>(expected.size()));
        FUZZ_CHECK(outcome.linesWritten == outcome.linesRead);
    }
    FUZZ_CHECK(fuzz::WrittenLines(results) == expected);
    return 0;
}
