// Many-file tools: split and combine on large files.

#include "bench/Registry.h"

#include "core/filetools/BulkInsertLogic.h"
#include "core/filetools/CombineLogic.h"
#include "core/filetools/SplitLogic.h"

#include <cstdio>
#include <cstdlib>

namespace rs::bench {
namespace {

// split IN [FROM TO]: split IN beside itself on characters FROM..TO (default 1..2), the
// key in the names.
Register splitCmd("split", [](const std::vector<std::string>& a) {
    if (a.empty() || a.size() == 2 || a.size() > 3) return 2;
    SplitSettings s;
    s.inputPath = a[0];
    s.startPos = a.size() == 3 ? std::atoi(a[1].c_str()) : 1;
    s.endPos = a.size() == 3 ? std::atoi(a[2].c_str()) : 2;
    s.keyInName = true;
    return Report(
        SplitFile(s, [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }).outcome);
});

// combine OUT IN...: the lines of every IN, in order, into OUT.
Register combineCmd("combine", [](const std::vector<std::string>& a) {
    if (a.size() < 2) return 2;
    CombineResult out = CombineFiles(std::vector<std::string>(a.begin() + 1, a.end()), a[0]);
    std::fprintf(stderr, "%s\n", out.report.back().c_str());
    return 0;
});

// bulk-insert FOLDER WORK: a copy of every *.txt file of FOLDER in WORK, with a line
// "INSERTED" after every line that holds "Smith". A finished run shows its summary and opens
// nothing, so it has worked when it found files to copy.
Register bulkInsertCmd("bulk-insert", [](const std::vector<std::string>& a) {
    if (a.size() != 2) return 2;
    BulkInsertSettings s;
    s.key = "Smith";
    s.after = true;
    s.dataText = "INSERTED";
    s.extension = "txt";
    NullProgress progress;
    const BulkInsertResult result =
        BulkInsertFolder(a[0] + "/", BulkInsertMask(s.extension), a[1], s, progress);
    Report(result.outcome);
    return result.counts.FilesFound > 0 ? 0 : 1;
});

}  // namespace
}  // namespace rs::bench
