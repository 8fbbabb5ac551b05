#include "core/compare/CompareLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Collation.h"
#include "core/platform/Overwrite.h"
#include "core/platform/Parallel.h"
#include "core/platform/TextFile.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_reduce.h>
#include <oneapi/tbb/parallel_sort.h>

#include <algorithm>
#include <functional>
#include <new>
#include <utility>

namespace rs {

SortedLines::SortedLines(const RowList& lines) : lines_(&lines) {
    if (lines.size() > kIndexMask) throw std::bad_alloc();
    entries_ = KeptInOrder<Entry>(
        lines.size(), [&lines](std::size_t i) { return !chars::IsBlank(lines[i]); },
        [&lines](std::size_t i) {
            const std::string_view line = lines[i];
            return Entry{SortPrefix(line, 0, 8), SortPrefix(line, 8, 3) << 40 | i};
        });
    tbb::parallel_sort(entries_.begin(), entries_.end(),
                       [this](const Entry& a, const Entry& b) { return compareEntries(a, *this, b) < 0; });
}

int SortedLines::compareEntries(const Entry& a, const SortedLines& other, const Entry& b) const {
    if (a.hi != b.hi) return a.hi < b.hi ? -1 : 1;
    if ((a.lo >> 40) != (b.lo >> 40)) return (a.lo >> 40) < (b.lo >> 40) ? -1 : 1;
    // Lines shorter than the prefix, padded with zeros, still compare whole.
    return CollateCompare((*lines_)[a.lo & kIndexMask], (*other.lines_)[b.lo & kIndexMask]);
}

int SortedLines::compare(std::size_t k, const SortedLines& other, std::size_t j) const {
    return compareEntries(entries_[k], other, other.entries_[j]);
}

void LoadFileIntoList(const std::string& path, LoadedFile& into) {
    LoadedFile fresh;
    fresh.ListHidden.loadFile(path);
    const RowList& lines = fresh.ListHidden;
    fresh.BlankLines = tbb::parallel_reduce(
        tbb::blocked_range<std::size_t>(0, lines.size(), 1 << 14), std::int32_t{0},
        [&](const tbb::blocked_range<std::size_t>& r, std::int32_t blank) {
            for (std::size_t i = r.begin(); i < r.end(); ++i) blank += chars::IsBlank(lines[i]);
            return blank;
        },
        std::plus<>());
    into = std::move(fresh);
}

namespace {

void NoLongerFound(PartText& text, std::string_view line) {
    text.line("Before File - Line No Longer Found:");
    text.line(line);
    text.line(" ");
}

void NewLine(PartText& text, std::string_view line) {
    text.line("After File - New Line Found:");
    text.line(line);
    text.line(" ");
}

// The walk over the lines from cut `from` to cut `to` of both sides.
void CompareWalk(const SortedLines& s1, const SortedLines& s2, Cut from, Cut to, PartText& text) {
    auto [i, j] = from;
    while (i < to.first && j < to.second) {
        const int c = s1.compare(i, s2, j);
        if (c == 0) {
            ++i;
            ++j;
        } else if (c < 0) {
            NoLongerFound(text, s1.line(i++));
        } else {
            NewLine(text, s2.line(j++));
        }
    }
    for (; i < to.first; ++i) NoLongerFound(text, s1.line(i));
    for (; j < to.second; ++j) NewLine(text, s2.line(j));
}

}  // namespace

std::optional<std::string> ValidateCompare(const CompareSettings& settings) {
    if (chars::Trim(settings.file1).empty() || chars::Trim(settings.file2).empty()) return kMsgCompareNoFiles;
    return std::nullopt;
}

RunOutcome CompareLoadedFiles(const CompareSettings& settings, const LoadedFile& before,
                              const LoadedFile& after, const std::string& resultsFile, Progress& progress) {
    if (auto message = ValidateCompare(settings)) return RunOutcome::Messages({*message});
    RefuseOverwrite(resultsFile,
                    {settings.file1, settings.file2, before.ListHidden.source(), after.ListHidden.source()});

    TextWriter out(resultsFile);
    out.writeLine("File Compare Results:");
    out.writeLine("--------------------");
    out.writeLine("Before File: " + settings.file1);
    out.writeLine("After File : " + settings.file2);
    out.writeLine(" ");
    out.writeLine("Line Counts:");
    out.writeLine("-----------");
    out.writeLine("Before File has :" + std::to_string(before.ListHidden.size()) + " lines.");
    out.writeLine("After File has  :" + std::to_string(after.ListHidden.size()) + " lines.");
    out.writeLine("Before File has :" + std::to_string(before.BlankLines) + " blank lines.");
    out.writeLine("After File has  :" + std::to_string(after.BlankLines) + " blank lines.");
    out.writeLine(" ");
    out.writeLine("File Mismatches Found:");
    out.writeLine("----------------------------------------------");

    RunAside(
        [&] {
            const SortedLines ListSorted1(before.ListHidden);
            const SortedLines ListSorted2(after.ListHidden);
            // Both sides are sorted, so one pass pairs each line with its equal on the other
            // side; what is left unpaired is reported in collation order, both kinds
            // interleaved. Stretches cut before the same line on both sides are walked side
            // by side, each into its own part of the report. A line reported comes with 42 bytes
            // of heading and line ends.
            const RowList& lines1 = before.ListHidden;
            const RowList& lines2 = after.ListHidden;
            const std::size_t rows = lines1.size() + lines2.size();
            const std::size_t stretch =
                ItemsPerPart(static_cast<double>(lines1.byteSize() + lines2.byteSize() + 42 * rows), rows);
            const auto cuts =
                SortedCuts(ListSorted1.size(), ListSorted2.size(), stretch,
                           [&](bool second, std::size_t k, std::size_t i) {
                               return (second ? ListSorted2 : ListSorted1).compare(k, ListSorted1, i) < 0;
                           });
            WriteParts(out, cuts.size() - 1, [&](std::size_t k, PartText& text) {
                CompareWalk(ListSorted1, ListSorted2, cuts[k], cuts[k + 1], text);
            });
        },
        [&progress] { progress.pump(); });
    out.close();
    return RunOutcome::Publish(resultsFile, {}, kPublishCompare);
}

}  // namespace rs
