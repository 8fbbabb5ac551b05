#include "core/workbench/InsertLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/RowOutput.h"
#include "core/platform/TextFile.h"

namespace rs {

RunOutcome RunInsert(const RowList& rows, const InsertSettings& s, const std::string& resultsFile,
                     Progress& progress, RunCounters& counters) {
    RefuseOverwrite(resultsFile, {rows.source()});
    progress.start(kTextProcessing);
    TextWriter writer(resultsFile);
    RowOutput out(writer);
    PercentReporter reporter(progress, kPrefixProcessing, counters);
    const std::int64_t p = s.position < 0 ? 0 : s.position;
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view row = rows[i];
        out.put(s.begin);
        // The text goes in only where the row has at least p characters; an empty row never gets it.
        std::size_t cut = row.empty() ? chars::npos : chars::OffsetAfter(row, p);
        if (cut == chars::npos) {
            out.put(row);
        } else {
            out.put(row.substr(0, cut));
            out.put(s.text);
            out.put(row.substr(cut));
        }
        out.put(s.end);
        out.endLine();
        reporter.row(static_cast<std::int64_t>(i));
    }
    out.flush();
    writer.close();
    progress.end();
    return RunOutcome::Publish(resultsFile);
}

}  // namespace rs
