#include "core/compare/Merge.h"

#include "core/platform/Chars.h"
#include "core/platform/Collation.h"
#include "core/platform/Overwrite.h"
#include "core/platform/Parallel.h"

#include <oneapi/tbb/parallel_sort.h>

#include <algorithm>
#include <mutex>
#include <new>

namespace rs {

std::optional<std::string> ValidateMerge(const MergeSettings& s) {
    if (chars::Trim(s.file1).empty() || chars::Trim(s.file2).empty()) return kMsgMergeNoFiles;
    if (s.start1 > s.end1) return kMsgMergeFile1Range;
    if (s.start2 > s.end2) return kMsgMergeFile2Range;
    if (static_cast<std::int64_t>(s.end2) - s.start2 != static_cast<std::int64_t>(s.end1) - s.start1)
        return kMsgMergeLengths;
    return std::nullopt;
}

namespace {

constexpr std::uint64_t kMaxOffset = (std::uint64_t{1} << 40) - 1;

}  // namespace

KeyedRows::KeyedRows(const RowList& lines, std::int32_t start, std::int32_t keyLength)
    : base_(lines.empty() ? nullptr : lines[0].data()), start_(start), keyLength_(keyLength) {
    std::mutex longLock;
    rows_ = KeptInOrder<Row>(
        lines.size(), [&lines](std::size_t i) { return !chars::IsBlank(lines[i]); },
        [&](std::size_t i) {
            const std::string_view line = lines[i];
            const std::string_view key = keyOf(line);
            const auto offset = static_cast<std::uint64_t>(line.data() - base_);
            if (offset > kMaxOffset) throw std::bad_alloc();
            std::uint64_t length = line.size();
            if (length >= kLongLine) {
                std::lock_guard<std::mutex> lock(longLock);
                longLines_.emplace_back(offset, length);
                length = kLongLine;
            }
            return Row{SortPrefix(key, 0, 7) << 8 | std::min<std::size_t>(key.size(), 8),
                       offset << 24 | length};
        });
    std::sort(longLines_.begin(), longLines_.end());
    tbb::parallel_sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) { return less(a, b); });
}

std::string_view KeyedRows::keyOf(std::string_view line) const {
    return chars::ClippedSpan(line, start_, std::int64_t{start_} + keyLength_ - 1).of(line);
}

std::string_view KeyedRows::lineOf(const Row& r) const {
    const std::uint64_t offset = r.place >> 24;
    std::uint64_t length = r.place & kLongLine;
    if (length == kLongLine)
        length = std::lower_bound(longLines_.begin(), longLines_.end(), std::pair{offset, std::uint64_t{0}})
                     ->second;
    return {base_ + offset, static_cast<std::size_t>(length)};
}

std::string_view KeyedRows::line(std::size_t k) const { return lineOf(rows_[k]); }

bool KeyedRows::less(const Row& a, const Row& b) const {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::string_view la = lineOf(a), lb = lineOf(b);
    // Keys of 8 bytes or more go on past their prefix.
    if ((a.prefix & 0xFF) == 8)
        if (int c = CollateCompare(keyOf(la), keyOf(lb)); c != 0) return c < 0;
    return CollateLess(la, lb);
}

int KeyedRows::compareKeys(std::size_t k, const KeyedRows& other, std::size_t j) const {
    const Row& a = rows_[k];
    const Row& b = other.rows_[j];
    if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
    if ((a.prefix & 0xFF) < 8) return 0;
    return CollateCompare(key(k), other.key(j));
}

void MergeAdvanceGroup(MergeState& state, std::string_view file, std::string_view key, bool write) {
    const bool first = file == "FILE1";
    const KeyedRows& list = first ? state.ListMerge1 : state.ListMerge2;
    std::size_t& cursor = first ? state.MergeIndex1 : state.MergeIndex2;
    for (;;) {
        ++cursor;
        if (cursor >= list.size()) return;
        if (list.key(cursor) != key) return;
        if (write) state.MergeOutFile->line(list.line(cursor));
    }
}

namespace {

const char* OutputText(MergeOutput o) {
    switch (o) {
        case MergeOutput::Both:
            return "Merge includes lines from BOTH files.";
        case MergeOutput::File1Only:
            return "Merge includes only lines from FILE 1.";
        case MergeOutput::File2Only:
            return "Merge includes only lines from FILE 2.";
    }
    return "";
}

}  // namespace

namespace {

// The walk over the rows [i, iEnd) of File 1 and [j, jEnd) of File 2, which hold every row of
// their keys: the walk over both whole lists is these walks one after the other.
void MergeWalk(const MergeSettings& s, MergeState& st, std::size_t iEnd, std::size_t jEnd) {
    PartText& out = *st.MergeOutFile;
    const bool want1 = s.output != MergeOutput::File2Only;
    const bool want2 = s.output != MergeOutput::File1Only;
    const KeyedRows& l1 = st.ListMerge1;
    const KeyedRows& l2 = st.ListMerge2;
    while (st.MergeIndex1 < iEnd && st.MergeIndex2 < jEnd) {
        const std::size_t i = st.MergeIndex1, j = st.MergeIndex2;
        int c = l1.compareKeys(i, l2, j);
        // Keyless rows sort first on both sides; they are passed one side after the other.
        if (c == 0 && l1.keyless(i)) c = -1;
        if (s.mode == MergeMode::Match) {
            if (c != 0) {
                ++(c < 0 ? st.MergeIndex1 : st.MergeIndex2);
                continue;
            }
            // Both files: the first line of each side, then the rest of File 1's group,
            // then the rest of File 2's.
            if (want1) out.line(l1.line(i));
            if (want2) out.line(l2.line(j));
            const std::string_view key = l1.key(i);
            MergeAdvanceGroup(st, "FILE1", key, want1);
            MergeAdvanceGroup(st, "FILE2", key, want2);
        } else if (c == 0) {
            const std::string_view key = l1.key(i);
            MergeAdvanceGroup(st, "FILE1", key, false);
            MergeAdvanceGroup(st, "FILE2", key, false);
        } else if (c < 0) {
            ++st.MergeIndex1;
            if (want1) out.line(l1.line(i));
        } else {
            ++st.MergeIndex2;
            if (want2) out.line(l2.line(j));
        }
    }
    // The rows left in one list have keys before those of the other list's next stretch, so
    // they are written as the whole walk would pass them.
    if (s.mode == MergeMode::Mismatch) {
        if (want1)
            for (; st.MergeIndex1 < iEnd; ++st.MergeIndex1) out.line(l1.line(st.MergeIndex1));
        if (want2)
            for (; st.MergeIndex2 < jEnd; ++st.MergeIndex2) out.line(l2.line(st.MergeIndex2));
    }
}

}  // namespace

RunOutcome MergeLoadedFiles(const MergeSettings& s, const RowList& lines1, const RowList& lines2,
                            const std::string& resultsFile) {
    if (auto message = ValidateMerge(s)) return RunOutcome::Messages({*message});
    RefuseOverwrite(resultsFile, {s.file1, s.file2, lines1.source(), lines2.source()});

    const std::int32_t keyLength = s.end1 - s.start1 + 1;
    KeyedRows ListMerge1(lines1, s.start1, keyLength);
    KeyedRows ListMerge2(lines2, s.start2, keyLength);

    TextWriter out(resultsFile);
    out.writeLine("Settings Chosen:");
    out.writeLine("----------------");
    out.writeLine("File 1: " + s.file1);
    out.writeLine("File 2: " + s.file2);
    out.writeLine("Merging based on File 1 positions between " + std::to_string(s.start1) + " and " +
                  std::to_string(s.end1));
    out.writeLine("Merging based on File 2 positions between " + std::to_string(s.start2) + " and " +
                  std::to_string(s.end2));
    out.writeLine(OutputText(s.output));
    out.writeLine(s.mode == MergeMode::Match ? "Merge shows lines where data positions MATCH."
                                             : "Merge shows lines where data positions MISMATCH.");
    out.writeLine(" ");
    out.writeLine("Merge Results Below:");
    out.writeLine("--------------------");

    // Stretches that share no key are walked side by side, each into its own part of the
    // report; a stretch starts at the first row of a key of File 1 on both sides.
    const std::size_t rows = lines1.size() + lines2.size();
    const std::size_t stretch =
        ItemsPerPart(static_cast<double>(lines1.byteSize() + lines2.byteSize() + 2 * rows), rows);
    const auto cuts = SortedCuts(
        ListMerge1.size(), ListMerge2.size(), stretch, [&](bool second, std::size_t k, std::size_t i) {
            return (second ? ListMerge2 : ListMerge1).compareKeys(k, ListMerge1, i) < 0;
        });
    WriteParts(out, cuts.size() - 1, [&](std::size_t k, PartText& text) {
        MergeState st{ListMerge1, ListMerge2, cuts[k].first, cuts[k].second, keyLength, &text};
        MergeWalk(s, st, cuts[k + 1].first, cuts[k + 1].second);
    });
    out.close();
    return RunOutcome::Publish(resultsFile);
}

}  // namespace rs
