// Line operations of the main window over a file, as the operation list runs them.
//   MODE IN OUT [--rows=N]            MODE: trim ltrim rtrim upper lower count remove-blank wordcount sum
//   tally IN OUT TEXT [--rows=N]
//   remove-everywhere IN OUT TEXT [--rows=N]
//   remove-lines IN OUT TEXT          loads IN into a RowList first; op_seconds covers the removal only
// The percentage divisor is the row count of IN (counted here unless --rows gives it), as after a load.

#include "bench/Registry.h"

#include "core/platform/FileError.h"
#include "core/platform/RowList.h"
#include "core/workbench/LineOperations.h"
#include "core/workbench/Progress.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <vector>

namespace rs::bench {

namespace {

std::int32_t CountRows(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) throw FileError::fromErrno(path, "Cannot open file", errno);
    std::vector<char> buf(1 << 20);
    std::int64_t rows = 0;
    char last = '\n';
    for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) {
        rows += std::count(buf.data(), buf.data() + n, '\n');
        last = buf[static_cast<std::size_t>(n) - 1];
    }
    ::close(fd);
    return static_cast<std::int32_t>(rows + (last != '\n'));
}

RunCounters counters;

// Takes --rows=N out of the arguments; otherwise counts the rows of the input.
std::vector<std::string> SetRowCount(std::vector<std::string> a) {
    auto it =
        std::find_if(a.begin(), a.end(), [](const std::string& s) { return s.rfind("--rows=", 0) == 0; });
    if (it != a.end()) {
        counters.InputLineCount = std::stoi(it->substr(7));
        a.erase(it);
    } else if (!a.empty()) {
        counters.InputLineCount = CountRows(a[0]);
    }
    return a;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Report(const RunOutcome& o, double seconds) {
    bench::Report(o);
    std::fprintf(stderr, "rows=%d percent=%d op_seconds=%.3f\n", counters.RowCounter,
                 counters.ProgressPercent, seconds);
}

Command Mode(const char* mode, bool needsText) {
    return [mode, needsText](const std::vector<std::string>& args) {
        std::vector<std::string> a = SetRowCount(args);
        if (a.size() != (needsText ? 3u : 2u)) return 2;
        std::string text = needsText ? a[2] : std::string();
        NullProgress progress;
        auto t0 = std::chrono::steady_clock::now();
        RunOutcome o = RunLineOperation(mode, a[0], text, a[1], progress, counters);
        Report(o, Seconds(t0));
        return 0;
    };
}

Register trimCmd("trim", Mode("TRIM", false));
Register ltrimCmd("ltrim", Mode("LTRIM", false));
Register rtrimCmd("rtrim", Mode("RTRIM", false));
Register upperCmd("upper", Mode("UPPER", false));
Register lowerCmd("lower", Mode("LOWER", false));
Register countCmd("count", Mode("COUNT", false));
Register removeBlankCmd("remove-blank", Mode("REMOVE-BLANK", false));
Register wordcountCmd("wordcount", Mode("WORDCOUNT", false));
Register sumCmd("sum", Mode("SUM", false));
Register tallyCmd("tally", Mode("TALLY", true));

Register removeEverywhereCmd("remove-everywhere", [](const std::vector<std::string>& args) {
    std::vector<std::string> a = SetRowCount(args);
    if (a.size() != 3) return 2;
    NullProgress progress;
    auto t0 = std::chrono::steady_clock::now();
    RunOutcome o = RemoveTextEverywhere(a[0], a[2], a[1], progress, counters);
    Report(o, Seconds(t0));
    return 0;
});

Register removeLinesCmd("remove-lines", [](const std::vector<std::string>& a) {
    if (a.size() != 3) return 2;
    RowList rows;
    auto t0 = std::chrono::steady_clock::now();
    rows.loadFile(a[0]);
    double load = Seconds(t0);
    t0 = std::chrono::steady_clock::now();
    RunOutcome o = RemoveLinesContaining(rows, a[2], a[1]);
    double op = Seconds(t0);
    bench::Report(o);
    std::fprintf(stderr, "rows=%zu load_seconds=%.3f op_seconds=%.3f\n", rows.size(), load, op);
    return 0;
});

}  // namespace
}  // namespace rs::bench
