// The option dialogs' runs over a file's rows. The rows are loaded first, as the dialogs
// find them already in memory; the load and the run are timed apart (stderr).

#include "bench/Registry.h"

#include "core/platform/FileError.h"
#include "core/platform/RowList.h"
#include "core/workbench/ExtractLogic.h"
#include "core/workbench/InsertLogic.h"
#include "core/workbench/RemoveLogic.h"
#include "core/workbench/TemplateLogic.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

namespace rs::bench {
namespace {

// The bytes of a file, as a memo holds a text pasted into it.
std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw FileError::fromErrno(path, "Cannot open file", errno);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <class Settings, class Run>
int Timed(const std::vector<std::string>& a, const Settings& settings, Run run) {
    if (a.size() != 2) return 2;
    auto t0 = std::chrono::steady_clock::now();
    RowList rows;
    rows.loadFile(a[0]);
    RunCounters counters;
    counters.InputLineCount = static_cast<std::int32_t>(rows.size());
    double load = Seconds(t0);
    NullProgress progress;
    auto t1 = std::chrono::steady_clock::now();
    const RunOutcome outcome = run(rows, settings, a[1], progress, counters);
    double op = Seconds(t1);
    Report(outcome);
    std::fprintf(stderr, "rows=%zu load_s=%.3f op_s=%.3f\n", rows.size(), load, op);
    return 0;
}

// Positions 3 to 8; from "INV-" on, 11 characters or up to the next space; "Smith" anywhere
// or at character 13.
ExtractSettings ExtractChoiceOf(ExtractChoice c) {
    return {c, 3, 8, "INV-", 11, "INV-", " ", "Smith", "Smith", 13};
}

// insert IN OUT: "|" after character 10, "<" in front, ">" after every row.
Register insertCmd("insert", [](const std::vector<std::string>& a) {
    return Timed(a, InsertSettings{"|", 10, "<", ">"}, RunInsert);
});

// delete-pos IN OUT: characters 3 to 8 deleted from every row long enough.
Register deletePosCmd("delete-pos", [](const std::vector<std::string>& a) {
    return Timed(a, RemoveSettings{3, 8, false, "", false, false}, RunRemove);
});

// remove-key IN OUT: rows whose characters 1 to 6 are shared are removed.
Register removeKeyCmd("remove-key", [](const std::vector<std::string>& a) {
    return Timed(a, RemoveSettings{1, 6, false, "", false, true}, RunRemove);
});

// extract-pos IN OUT: characters 3 to 8 of every row long enough.
// extract-words IN OUT: every word on a line of its own.
// extract-starts IN OUT: 11 characters from the first "INV-" of every row that has one.
// extract-between IN OUT: from the first "INV-" to the next space, of every row that has both.
// extract-contains IN OUT: every row that holds "Smith".
// extract-at IN OUT: every row whose first "Smith" starts at character 13.
const bool extractCmds = [] {
    const std::pair<const char*, ExtractChoice> choices[] = {
        {"extract-pos", ExtractChoice::Positions},      {"extract-words", ExtractChoice::ExtractWords},
        {"extract-starts", ExtractChoice::String},      {"extract-between", ExtractChoice::StringBetween},
        {"extract-contains", ExtractChoice::StrExists}, {"extract-at", ExtractChoice::StringByte}};
    for (const auto& [name, c] : choices) {
        const ExtractChoice choice = c;  // a structured binding cannot be captured everywhere
        Register(name, [choice](const std::vector<std::string>& a) {
            return Timed(a, ExtractChoiceOf(choice), RunExtract);
        });
    }
    return true;
}();

// template IN OUT [TEMPLATE]: a template written once for every row of IN, the row in place
// of its key #KEY#; the template is the lines of TEMPLATE, or two lines without it.
Register templateCmd("template", [](const std::vector<std::string>& a) {
    if (a.size() != 2 && a.size() != 3) return 2;
    TemplateSettings s;
    s.templateRows =
        MemoRows(a.size() == 3 ? ReadWhole(a[2]) : "Account: #KEY#\r\nPlease check the statement above.\r\n");
    s.key1 = "#KEY#";
    s.filler1 = MemoRows(ReadWhole(a[0]));
    NullProgress progress;
    return Report(RunTemplate(s, a[1], progress));
});

}  // namespace
}  // namespace rs::bench
