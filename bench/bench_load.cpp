#include "bench/Registry.h"

#include "core/platform/RowList.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/Progress.h"

#include <cstdio>

namespace rs::bench {
namespace {

// load IN: the main window's load of the current input: rows kept for the finder, every
// statistic and the status line.
Register loadCmd("load", [](const std::vector<std::string>& a) {
    if (a.size() != 1) return 2;
    NullProgress progress;
    RunCounters counters;
    RowList rows;
    LoadResult r = LoadInputFile(a[0], rows, progress, counters);
    std::fprintf(stderr, "rows=%lld chars=%lld blank=%lld longest=%lld memory=%zu\n",
                 static_cast<long long>(r.rowCount), static_cast<long long>(r.totalChars),
                 static_cast<long long>(r.blankRows), static_cast<long long>(r.longestLength),
                 rows.memoryUsed());
    return 0;
});

// prepare IN: the dispatcher's re-read of the input rows into the shared row list.
Register prepareCmd("prepare", [](const std::vector<std::string>& a) {
    if (a.size() != 1) return 2;
    RowList rows;
    rows.loadFile(a[0]);
    std::fprintf(stderr, "rows=%zu bytes=%zu memory=%zu\n", rows.size(), rows.byteSize(), rows.memoryUsed());
    return 0;
});

// stats IN OUT: "VIEW ALL": the load's statistics written as the report.
Register statsCmd("stats", [](const std::vector<std::string>& a) {
    if (a.size() != 2) return 2;
    NullProgress progress;
    RunCounters counters;
    RowList rows;
    LoadResult r = LoadInputFile(a[0], rows, progress, counters);
    WriteStatisticsReport(r.statistics, a[1], a[0]);
    return 0;
});

}  // namespace
}  // namespace rs::bench
