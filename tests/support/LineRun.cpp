#include "tests/support/LineRun.h"

#include <algorithm>

namespace rs::test {

LineRun RunMode(const std::string& mode, const std::string& input, const std::string& searchText,
                char separator, int rowsLoaded) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), input);
    WriteBytes(dir.file("Results.txt"), "old results\r\n");
    if (rowsLoaded < 0) {
        rowsLoaded = static_cast<int>(std::count(input.begin(), input.end(), '\n'));
        if (!input.empty() && input.back() != '\n') ++rowsLoaded;
    }
    LineRun run;
    run.counters.InputLineCount = rowsLoaded;
    run.searchText = searchText;
    run.resultsFile = dir.file("Results.txt");
    run.outcome = RunLineOperation(mode, dir.file("in.txt"), run.searchText, dir.file("Results.txt"),
                                   run.progress, run.counters, separator);
    run.lines = ReadCrlfLines(dir.file("Results.txt"));
    return run;
}

}  // namespace rs::test
