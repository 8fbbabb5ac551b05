// compare A B [OUT] and merge A B [OUT] [S1 E1 S2 E2] [match|mismatch] [first|second|both]:
// the dialog's runs on two files, from reading them to the finished report.

#include "bench/Registry.h"

#include "core/compare/CompareLogic.h"
#include "core/compare/Merge.h"

#include <cstdio>
#include <cstdlib>

namespace rs::bench {
namespace {

Register compareCmd("compare", [](const std::vector<std::string>& a) {
    if (a.size() < 2 || a.size() > 3) return 2;
    const std::string out = a.size() == 3 ? a[2] : "Results.txt";
    LoadedFile f1, f2;
    LoadFileIntoList(a[0], f1);
    LoadFileIntoList(a[1], f2);
    NullProgress none;
    return Report(CompareLoadedFiles({a[0], a[1]}, f1, f2, out, none));
});

Register mergeCmd("merge", [](const std::vector<std::string>& a) {
    if (a.size() < 2 || a.size() > 9) return 2;
    MergeSettings s;
    s.file1 = a[0];
    s.file2 = a[1];
    const std::string out = a.size() >= 3 ? a[2] : "Results.txt";
    s.start1 = s.start2 = 1;
    s.end1 = s.end2 = 6;
    if (a.size() >= 7) {
        s.start1 = std::atoi(a[3].c_str());
        s.end1 = std::atoi(a[4].c_str());
        s.start2 = std::atoi(a[5].c_str());
        s.end2 = std::atoi(a[6].c_str());
    }
    s.mode = a.size() >= 8 && a[7] == "mismatch" ? MergeMode::Mismatch : MergeMode::Match;
    s.output = MergeOutput::Both;
    if (a.size() >= 9)
        s.output = a[8] == "first"    ? MergeOutput::File1Only
                   : a[8] == "second" ? MergeOutput::File2Only
                                      : MergeOutput::Both;
    RowList l1, l2;
    l1.loadFile(a[0]);
    l2.loadFile(a[1]);
    return Report(MergeLoadedFiles(s, l1, l2, out));
});

}  // namespace
}  // namespace rs::bench
