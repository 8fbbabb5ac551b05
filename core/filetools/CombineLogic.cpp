#include "core/filetools/CombineLogic.h"

#include "core/platform/Overwrite.h"
#include "core/platform/TextFile.h"

namespace rs {

CombineResult CombineFiles(const std::vector<std::string>& entries, const std::string& resultsFile) {
    CombineResult result;
    // Each entry is opened exactly as the chooser gave it: a name may begin or end with spaces.
    RefuseOverwrite(resultsFile, entries);

    TextWriter out(resultsFile);
    std::string_view line;
    for (const auto& path : entries) {
        TextReader in(path);
        std::int64_t count = 0;
        while (in.readLine(line)) {
            out.writeLine(line);
            ++count;
        }
        in.close();
        result.linesWritten += count;
        result.report.push_back("Read " + std::to_string(count) + " lines from " + path);
        result.linesRead += count;
    }
    out.close();

    result.report.emplace_back(" ");
    result.report.push_back("Total Files Read    : " + std::to_string(entries.size()));
    result.report.push_back("Total Lines Read    : " + std::to_string(result.linesRead));
    result.report.push_back("Total Lines Written : " + std::to_string(result.linesWritten));
    result.outcome = RunOutcome::Publish(resultsFile, {}, kPublishCombine);
    return result;
}

}  // namespace rs
