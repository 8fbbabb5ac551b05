#include "RemoveLogic.h"

#include "UGlobal.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <functional>

namespace rs {

std::optional<std::string> ValidateRemove(const RemoveSettings& s) {
    if (s.onlyIfContains && s.text.empty()) return kMsgRemoveNeedsString;
    if (s.first > s.last) return kMsgRemovePositions;
    return std::nullopt;
}

namespace {

// Sorts (hash << 32 | index) entries by their upper 32 bits, two stable 16-bit passes.
void SortByHash(std::vector<std::uint64_t>& v, Progress* progress) {
    std::vector<std::uint64_t> tmp(v.size());
    for (int shift = 32; shift < 64; shift += 16) {
        std::vector<std::size_t> count(65537, 0);
        for (std::uint64_t x : v) ++count[((x >> shift) & 0xFFFF) + 1];
        for (std::size_t k = 1; k < count.size(); ++k) count[k] += count[k - 1];
        for (std::uint64_t x : v) tmp[count[(x >> shift) & 0xFFFF]++] = x;
        v.swap(tmp);
        if (progress) progress->pump();
    }
}

}  // namespace

std::vector<char> RowsWithSharedKeys(const RowList& rows, std::int32_t first, std::int32_t last,
                                    Progress* progress) {
    const std::size_t n = rows.size();
    // A key shared by two rows of at least `last` characters removes all of them; shorter
    // rows never share a key (theirs is shorter), so they always stay. Rows are grouped by
    // a hash of their key, and keys are compared only inside a group of equal hashes.
    std::vector<std::uint64_t> entries;
    std::vector<std::uint32_t> keyBegin;  // per row: byte offset of its key, or npos marker
    std::vector<std::uint32_t> keyLen;
    std::vector<char> removed(n, 0);
    entries.reserve(n);
    keyBegin.assign(n, 0);
    keyLen.assign(n, UINT32_MAX);
    const std::hash<std::string_view> hasher;
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view row = rows[i];
        std::size_t b = 0, e = 0;
        if (!CharRange(row, first, last, b, e)) continue;
        keyBegin[i] = static_cast<std::uint32_t>(b);
        keyLen[i] = static_cast<std::uint32_t>(e - b);
        std::uint64_t h = static_cast<std::uint64_t>(hasher(row.substr(b, e - b)));
        h ^= h >> 32;
        entries.push_back((h << 32) | static_cast<std::uint32_t>(i));
        if ((i & 0xFFFF) == 0 && progress) progress->pump();
    }
    SortByHash(entries, progress);

    auto key = [&](std::uint32_t i) { return rows[i].substr(keyBegin[i], keyLen[i]); };
    std::vector<std::uint32_t> group;
    for (std::size_t g = 0; g < entries.size();) {
        std::size_t h = g + 1;
        while (h < entries.size() && (entries[h] >> 32) == (entries[g] >> 32)) ++h;
        if (h - g == 2) {
            auto a = static_cast<std::uint32_t>(entries[g]), c = static_cast<std::uint32_t>(entries[g + 1]);
            if (key(a) == key(c)) removed[a] = removed[c] = 1;
        } else if (h - g > 2) {
            // Equal hashes are nearly always equal keys; sorting the group by key settles collisions.
            group.clear();
            for (std::size_t k = g; k < h; ++k) group.push_back(static_cast<std::uint32_t>(entries[k]));
            std::sort(group.begin(), group.end(),
                      [&](std::uint32_t x, std::uint32_t y) { return key(x) < key(y); });
            for (std::size_t k = 0; k < group.size();) {
                std::size_t m = k + 1;
                while (m < group.size() && key(group[m]) == key(group[k])) ++m;
                if (m - k > 1)
                    for (std::size_t t = k; t < m; ++t) removed[group[t]] = 1;
                k = m;
            }
        }
        g = h;
    }
    return removed;
}

namespace {

void RunByPosition(const RowList& rows, const RemoveSettings& s, TextWriter& out, Progress& progress) {
    PercentReporter reporter(progress, kPrefixProcessing, InputLineCount);
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view row = rows[i];
        std::size_t b = 0, e = 0;
        bool cut = CharRange(row, s.first, s.last, b, e);
        bool drop = false;
        if (cut && s.onlyIfContains) {
            // The whole text must lie inside the range.
            cut = !s.text.empty() && row.substr(b, e - b).find(s.text) != std::string_view::npos;
            drop = cut && s.entireRow;
        }
        if (cut && !drop) {
            out.write(row.substr(0, b));
            out.write(row.substr(e));
            out.endLine();
        } else if (!drop) {
            out.writeLine(row);
        }
        reporter.row(static_cast<std::int64_t>(i));
    }
}

}  // namespace

DialogOutcome RunRemove(const RowList& rows, const RemoveSettings& s, const std::string& resultsFile,
                        Progress& progress) {
    progress.start(kTextProcessing);
    if (s.byKey) {
        std::vector<char> removed = RowsWithSharedKeys(rows, s.first, s.last, &progress);
        TextWriter out(resultsFile);
        for (std::size_t i = 0; i < removed.size(); ++i) {
            if (!removed[i]) out.writeLine(rows[i]);
            if ((i & 0xFFFF) == 0) progress.pump();
        }
        out.close();
    } else {
        TextWriter out(resultsFile);
        RunByPosition(rows, s, out, progress);
        out.close();
    }
    progress.end();
    return {};
}

}  // namespace rs
