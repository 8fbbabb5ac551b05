#include "core/workbench/DupsLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/Parallel.h"
#include "core/platform/TextFile.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_sort.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace rs {

std::optional<std::string> ValidateDups(const DupsSettings& s) {
    if (s.spin1 > s.spin2) return kDupsPositionsReversed;
    return std::nullopt;
}

namespace {

// One work-list entry in 24 bytes. The item is the key (keyLen bytes from keyBegin in the row)
// followed by the whole row, or the bare row when keyLen is 0. prefix holds 8 bytes of the item
// from the current sort depth, big-endian and zero-padded; tail is the item's length left from
// that depth, capped at 9 so that "ended inside these 8 bytes" sorts before "goes on". The row is
// reached through its offset in the row buffer rather than its index, so that visiting items in
// sorted order touches only the row bytes.
struct Item {
    std::uint64_t prefix;
    std::uint64_t place;  // offset << 21 | keyLen << 4 | tail
    std::uint64_t span;   // rowLen << 17 | keyBegin

    std::uint64_t offset() const { return place >> 21; }
    std::uint32_t keyLen() const { return static_cast<std::uint32_t>(place >> 4) & 0x1FFFF; }
    std::uint32_t tail() const { return static_cast<std::uint32_t>(place) & 0xF; }
    void setTail(std::uint32_t t) { place = (place & ~std::uint64_t{0xF}) | t; }
    std::uint32_t keyBegin() const { return static_cast<std::uint32_t>(span) & 0x1FFFF; }
    std::uint64_t rowLen() const { return span >> 17; }
};

// Positions beyond the spin edits' bound are brought to it, which keeps keyBegin and keyLen
// (at most 4 bytes a character) within 17 bits.
constexpr std::int32_t kMaxPosition = 25000;
constexpr std::uint64_t kMaxOffset = (std::uint64_t{1} << 43) - 1;

class WorkList {
public:
    explicit WorkList(const RowList& rows) : base_(rows.empty() ? nullptr : rows[0].data()) {}

    detail::RawArray<Item> items;

    Item make(std::string_view row, std::uint32_t keyBegin, std::uint32_t keyLen) const {
        const auto off = static_cast<std::uint64_t>(row.data() - base_);
        if (off > kMaxOffset) throw std::bad_alloc();
        return {0, off << 21 | std::uint64_t{keyLen} << 4, std::uint64_t{row.size()} << 17 | keyBegin};
    }

    const char* rowData(const Item& it) const { return base_ + it.offset(); }
    std::string_view row(const Item& it) const {
        return {rowData(it), static_cast<std::size_t>(it.rowLen())};
    }

    // Loads the 8 bytes of the item from byte depth d.
    void loadPrefix(Item& it, std::size_t d) const {
        const char* r = rowData(it);
        const std::size_t keyLen = it.keyLen();
        const std::size_t len = keyLen + it.rowLen();
        if (d >= len) {
            it.prefix = 0;
            it.setTail(0);
            return;
        }
        const std::size_t rem = len - d;
        it.setTail(rem > 8 ? 9u : static_cast<std::uint32_t>(rem));
        const char* key = r + it.keyBegin();
        std::uint64_t v;
        if (d + 8 <= keyLen) {
            std::memcpy(&v, key + d, 8);
        } else if (d >= keyLen && rem >= 8) {
            std::memcpy(&v, r + (d - keyLen), 8);
        } else {
            // Straddles the key and the row, or runs past the end: byte by byte, zero-padded.
            unsigned char buf[8] = {0, 0, 0, 0, 0, 0, 0, 0};
            const std::size_t n = rem < 8 ? rem : 8;
            for (std::size_t k = 0; k < n; ++k) {
                std::size_t j = d + k;
                buf[k] = static_cast<unsigned char>(j < keyLen ? key[j] : r[j - keyLen]);
            }
            std::memcpy(&v, buf, 8);
        }
        it.prefix = __builtin_bswap64(v);
    }

    // Ordinal order of the items; equal items keep their input order, so the order is total
    // and the same however the work is shared out. Runs of equal 8-byte prefixes are refined
    // at the next 8 bytes instead of comparing whole items, so each item's bytes are fetched
    // once per level rather than once per comparison; the runs are refined side by side.
    void sort() {
        Item* all = items.data();
        const std::size_t n = items.size();
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, n, 4096), [&](const auto& r) {
            for (std::size_t i = r.begin(); i < r.end(); ++i) loadPrefix(all[i], 0);
        });
        tbb::parallel_sort(all, all + n, ByPrefix);
        std::vector<Range> runs;
        pushRuns({0, n, 0}, runs);
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, runs.size(), 64), [&](const auto& r) {
            for (std::size_t k = r.begin(); k < r.end(); ++k) refine(runs[k]);
        });
    }

    // Items are visited in sorted order, which is random in memory: ask for a row's bytes some
    // items before they are needed.
    static constexpr std::size_t kAhead = 16;
    void prefetch(const Item& it, std::size_t depth) const {
        const std::size_t keyLen = it.keyLen();
        __builtin_prefetch(depth < keyLen ? rowData(it) + it.keyBegin() + depth
                                          : rowData(it) + (depth - keyLen));
    }

    bool sameKey(const Item& a, const Item& b) const {
        const std::uint32_t n = a.keyLen();
        if (n == 0 || n != b.keyLen()) return false;
        const char* ka = rowData(a) + a.keyBegin();
        const char* kb = rowData(b) + b.keyBegin();
        if (n <= 16) {
            for (std::uint32_t k = 0; k < n; ++k)
                if (ka[k] != kb[k]) return false;
            return true;
        }
        return std::memcmp(ka, kb, n) == 0;
    }

private:
    struct Range {
        std::size_t b, e, depth;
    };
    // A type of its own rather than a function, so the sorts inline it.
    struct ByPrefixOrder {
        bool operator()(const Item& a, const Item& b) const {
            if (a.prefix != b.prefix) return a.prefix < b.prefix;
            return a.tail() < b.tail();
        }
    };
    static constexpr ByPrefixOrder ByPrefix{};

    // The runs of items of r, sorted at r's depth, that share their prefix and tail; runs of
    // identical items go in as runs past their end, to be put in input order.
    void pushRuns(const Range& r, std::vector<Range>& out) const {
        const Item* all = items.data();
        for (std::size_t i = r.b; i < r.e;) {
            std::size_t j = i + 1;
            while (j < r.e && all[j].prefix == all[i].prefix && all[j].tail() == all[i].tail()) ++j;
            if (j - i > 1) out.push_back({i, j, all[i].tail() == 9 ? r.depth + 8 : kIdentical});
            i = j;
        }
    }

    void refine(const Range& first) {
        Item* all = items.data();
        std::vector<Range> todo{first};
        while (!todo.empty()) {
            Range r = todo.back();
            todo.pop_back();
            if (r.depth == kIdentical) {
                std::sort(all + r.b, all + r.e,
                          [](const Item& a, const Item& b) { return a.offset() < b.offset(); });
                continue;
            }
            for (std::size_t i = r.b; i < r.e; ++i) {
                if (i + kAhead < r.e) prefetch(all[i + kAhead], r.depth);
                loadPrefix(all[i], r.depth);
            }
            if (r.e - r.b >= kParallelFrom)
                tbb::parallel_sort(all + r.b, all + r.e, ByPrefix);
            else
                std::sort(all + r.b, all + r.e, ByPrefix);
            pushRuns(r, todo);
        }
    }

    static constexpr std::size_t kIdentical = SIZE_MAX;
    const char* base_;
};

bool Written(DupsChoice choice, bool samePrev, bool sameNext) {
    switch (choice) {
        case DupsChoice::OnlyDups:
            return samePrev || sameNext;
        case DupsChoice::NoDups:
            return !samePrev && !sameNext;
        case DupsChoice::All1Dups:
            return !sameNext;
    }
    return false;
}

}  // namespace

RunOutcome RunDups(const RowList& rows, const DupsSettings& s, const std::string& resultsFile,
                   Progress& progress, RunCounters& counters) {
    if (auto message = ValidateDups(s)) return RunOutcome::Messages({*message});
    const std::int32_t spin1 = std::clamp(s.spin1, 1, kMaxPosition);
    const std::int32_t spin2 = std::clamp(s.spin2, spin1, kMaxPosition);
    RefuseOverwrite(resultsFile, {rows.source()});

    progress.start(kTextProcessing);
    WorkList work(rows);
    TextWriter out(resultsFile);
    const std::size_t n = rows.size();
    ProgressStage stages[2];
    stages[0].prefix = kPrefixEvaluating;
    stages[1].prefix = kPrefixWriting;
    stages[0].rows = stages[1].rows = static_cast<std::int64_t>(n);

    RunWithStages(progress, counters, stages, [&] {
        work.items.reserve(n);
        work.items.grow(n);
        Item* items = work.items.data();
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, n, 4096), [&](const auto& r) {
            for (std::size_t i = r.begin(); i < r.end(); ++i) {
                std::string_view row = rows[i];
                // A row shorter than spin2 characters goes in bare, with an empty key.
                const chars::ByteSpan key = chars::CharSpan(row, spin1, spin2).value_or(chars::ByteSpan{});
                items[i] = work.make(row, static_cast<std::uint32_t>(key.begin),
                                     static_cast<std::uint32_t>(key.end - key.begin));
            }
            stages[0].done += static_cast<std::int64_t>(r.size());
        });

        work.sort();

        // Whether an item is written depends on its neighbours only, so parts of the sorted
        // list are written side by side.
        const std::size_t part = ItemsPerPart(static_cast<double>(rows.byteSize() + 2 * n), n);
        WriteParts(out, (n + part - 1) / part, [&](std::size_t k, PartText& text) {
            const std::size_t b = k * part;
            const std::size_t e = std::min(n, b + part);
            bool samePrev = b > 0 && work.sameKey(items[b - 1], items[b]);
            for (std::size_t i = b; i < e; ++i) {
                if (i + WorkList::kAhead < e) work.prefetch(items[i + WorkList::kAhead], 0);
                const bool sameNext = i + 1 < n && work.sameKey(items[i], items[i + 1]);
                if (Written(s.choice, samePrev, sameNext)) text.line(work.row(items[i]));
                samePrev = sameNext;
            }
            stages[1].done += static_cast<std::int64_t>(e - b);
        });
    });

    out.close();
    progress.end();
    return RunOutcome::Publish(resultsFile);
}

}  // namespace rs
