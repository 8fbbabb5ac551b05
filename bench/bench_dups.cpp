#include "bench/Registry.h"

#include "core/platform/RowList.h"
#include "core/workbench/DupsLogic.h"

#include <cstdio>
#include <string>

namespace rs::bench {
namespace {

// dups IN OUT CHOICE [SPIN1 SPIN2]: the duplicates run over the rows of IN, as the dialog runs it
// on the loaded input. CHOICE is dups (every duplicate row), unique (rows without a duplicate)
// or one (every row, one of each set of duplicates). Positions default to 1 and 6.
Register dupsCmd("dups", [](const std::vector<std::string>& a) {
    if (a.size() != 3 && a.size() != 5) return 2;
    DupsSettings s;
    if (a[2] == "dups")
        s.choice = DupsChoice::OnlyDups;
    else if (a[2] == "unique")
        s.choice = DupsChoice::NoDups;
    else if (a[2] == "one")
        s.choice = DupsChoice::All1Dups;
    else
        return 2;
    s.spin1 = a.size() == 5 ? std::stoi(a[3]) : 1;
    s.spin2 = a.size() == 5 ? std::stoi(a[4]) : 6;
    RowList rows;
    rows.loadFile(a[0]);
    RunCounters counters;
    counters.InputLineCount = static_cast<std::int32_t>(rows.size());
    NullProgress progress;
    return Report(RunDups(rows, s, a[1], progress, counters));
});

}  // namespace
}  // namespace rs::bench
