#include "DupsLogic.h"

#include "platform/Chars.h"
#include "platform/Overwrite.h"
#include "platform/TextFile.h"
#include "workbench/UGlobal.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace rs {

std::string ValidateDups(const DupsSettings& s) {
    if (s.spin1 > s.spin2) return kDupsPositionsReversed;
    return {};
}

bool DupsKeySpan(std::string_view row, std::int32_t spin1, std::int32_t spin2, std::uint32_t& begin,
                 std::uint32_t& end) {
    // A character takes at least one byte, so a row of fewer bytes cannot reach spin2.
    if (row.size() < static_cast<std::size_t>(spin2)) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(row.data());
    const auto* stop = p + row.size();
    std::size_t off = 0;
    const std::size_t n = row.size();
    std::int32_t k = 0;
    for (; k < spin1 - 1; ++k) {
        if (off >= n) return false;
        off += p[off] < 0x80 ? 1 : static_cast<std::size_t>(chars::CharBytes(p + off, stop));
    }
    begin = static_cast<std::uint32_t>(off);
    for (; k < spin2; ++k) {
        if (off >= n) return false;
        off += p[off] < 0x80 ? 1 : static_cast<std::size_t>(chars::CharBytes(p + off, stop));
    }
    end = static_cast<std::uint32_t>(off);
    return true;
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
    WorkList(const RowList& rows, Progress& progress)
        : base_(rows.empty() ? nullptr : rows[0].data()), progress_(progress) {}

    std::vector<Item> items;

    void add(std::string_view row, std::uint32_t keyBegin, std::uint32_t keyLen) {
        const auto off = static_cast<std::uint64_t>(row.data() - base_);
        if (off > kMaxOffset) throw std::bad_alloc();
        items.push_back(
            {0, off << 21 | std::uint64_t{keyLen} << 4, std::uint64_t{row.size()} << 17 | keyBegin});
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

    // Ordinal order of the items; equal items keep their input order. Runs of equal 8-byte
    // prefixes are refined at the next 8 bytes instead of comparing whole items, so each item's
    // bytes are fetched once per level rather than once per comparison.
    void sort() {
        struct Range {
            std::size_t b, e, depth;
        };
        std::vector<Range> todo;
        std::uint64_t compares = 0;
        auto byPrefix = [this, &compares](const Item& a, const Item& b) {
            if ((++compares & 0xFFFFF) == 0) progress_.pump();
            if (a.prefix != b.prefix) return a.prefix < b.prefix;
            return a.tail() < b.tail();
        };
        auto byOffset = [](const Item& a, const Item& b) { return a.offset() < b.offset(); };
        for (Item& it : items) loadPrefix(it, 0);
        todo.push_back({0, items.size(), 0});
        while (!todo.empty()) {
            Range r = todo.back();
            todo.pop_back();
            Item* items_ = items.data();
            if (r.depth > 0)
                for (std::size_t i = r.b; i < r.e; ++i) {
                    if (i + kAhead < r.e) prefetch(items_[i + kAhead], r.depth);
                    loadPrefix(items_[i], r.depth);
                }
            std::sort(items_ + r.b, items_ + r.e, byPrefix);
            for (std::size_t i = r.b; i < r.e;) {
                std::size_t j = i + 1;
                while (j < r.e && items_[j].prefix == items_[i].prefix &&
                       items_[j].tail() == items_[i].tail())
                    ++j;
                if (j - i > 1) {
                    if (items_[i].tail() == 9)
                        todo.push_back({i, j, r.depth + 8});
                    else
                        std::sort(items_ + i, items_ + j, byOffset);  // identical items
                }
                i = j;
            }
        }
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
    const char* base_;
    Progress& progress_;
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

DupsResult RunDups(const RowList& rows, const DupsSettings& s, const std::string& resultsFile,
                   Progress& progress) {
    DupsResult result;
    if (std::string msg = ValidateDups(s); !msg.empty()) {
        result.messages.push_back(std::move(msg));
        return result;
    }
    const std::int32_t spin1 = std::clamp(s.spin1, 1, kMaxPosition);
    const std::int32_t spin2 = std::clamp(s.spin2, spin1, kMaxPosition);
    RefuseOverwrite(resultsFile, {rows.source()});

    progress.start(kTextProcessing);
    WorkList work(rows, progress);
    TextWriter out(resultsFile);

    work.items.reserve(rows.size());
    {
        PercentReporter rep(progress, kPrefixEvaluating, InputLineCount);
        const std::size_t n = rows.size();
        for (std::size_t i = 0; i < n; ++i) {
            std::string_view row = rows[i];
            std::uint32_t b = 0, e = 0;
            if (!DupsKeySpan(row, spin1, spin2, b, e)) b = e = 0;
            work.add(row, b, e - b);
            rep.row(static_cast<std::int64_t>(i));
        }
    }

    work.sort();

    {
        PercentReporter rep(progress, kPrefixWriting, InputLineCount);
        const std::vector<Item>& items = work.items;
        const std::size_t n = items.size();
        bool samePrev = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (i + WorkList::kAhead < n) work.prefetch(items[i + WorkList::kAhead], 0);
            const bool sameNext = i + 1 < n && work.sameKey(items[i], items[i + 1]);
            if (Written(s.choice, samePrev, sameNext)) out.writeLine(work.row(items[i]));
            samePrev = sameNext;
            rep.row(static_cast<std::int64_t>(i));
        }
    }

    out.close();
    progress.end();
    result.publish = true;
    return result;
}

}  // namespace rs
