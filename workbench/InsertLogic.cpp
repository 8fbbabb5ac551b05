#include "InsertLogic.h"

#include "UGlobal.h"
#include "platform/TextFile.h"

namespace rs {

DialogOutcome RunInsert(const RowList& rows, const InsertSettings& s, const std::string& resultsFile,
                        Progress& progress) {
    progress.start(kTextProcessing);
    TextWriter out(resultsFile);
    PercentReporter reporter(progress, kPrefixProcessing, InputLineCount);
    const std::int64_t p = s.position < 0 ? 0 : s.position;
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view row = rows[i];
        out.write(s.begin);
        // The text goes in only where the row has at least p characters; an empty row never gets it.
        std::size_t cut = std::string_view::npos;
        if (!row.empty()) {
            if (p == 0) {
                cut = 0;
            } else {
                std::size_t b = 0, e = 0;
                if (CharRange(row, p, p, b, e)) cut = e;
            }
        }
        if (cut == std::string_view::npos) {
            out.write(row);
        } else {
            out.write(row.substr(0, cut));
            out.write(s.text);
            out.write(row.substr(cut));
        }
        out.write(s.end);
        out.endLine();
        reporter.row(static_cast<std::int64_t>(i));
    }
    out.close();
    progress.end();
    return {};
}

}  // namespace rs
