// The option dialogs' runs over a file's rows. The rows are loaded first, as the dialogs
// find them already in memory; the load and the run are timed apart (stderr).

#include "Registry.h"

#include "platform/RowList.h"
#include "workbench/ExtractLogic.h"
#include "workbench/InsertLogic.h"
#include "workbench/RemoveLogic.h"
#include "workbench/UGlobal.h"

#include <chrono>
#include <cstdio>

namespace rs::bench {
namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <class Settings, class Run>
int Timed(const std::vector<std::string>& a, const Settings& settings, Run run) {
    if (a.size() != 2) return 2;
    auto t0 = std::chrono::steady_clock::now();
    RowList rows;
    rows.loadFile(a[0]);
    InputLineCount = static_cast<std::int32_t>(rows.size());
    double load = Seconds(t0);
    NullProgress progress;
    auto t1 = std::chrono::steady_clock::now();
    DialogOutcome outcome = run(rows, settings, a[1], progress);
    double op = Seconds(t1);
    for (const auto& m : outcome.messages) std::fprintf(stderr, "%s\n", m.c_str());
    std::fprintf(stderr, "rows=%zu load_s=%.3f op_s=%.3f\n", rows.size(), load, op);
    return 0;
}

ExtractSettings ExtractChoiceOf(ExtractChoice c) {
    ExtractSettings s;
    s.choice = c;
    s.first = 3;
    s.last = 8;
    return s;
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
Register extractPosCmd("extract-pos", [](const std::vector<std::string>& a) {
    return Timed(a, ExtractChoiceOf(ExtractChoice::Positions), RunExtract);
});

// extract-words IN OUT: every word on a line of its own.
Register extractWordsCmd("extract-words", [](const std::vector<std::string>& a) {
    return Timed(a, ExtractChoiceOf(ExtractChoice::ExtractWords), RunExtract);
});

}  // namespace
}  // namespace rs::bench
