#include "DupsLogic.h"

#include "platform/Chars.h"
#include "platform/TextFile.h"
#include "workbench/UGlobal.h"

#include <algorithm>
#include <cstring>
#include <limits>
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

// One work-list entry: the item is the key (bytes keyBegin..keyBegin+keyLen of the row) followed
// by the whole row, or the bare row when keyLen is 0. prefix holds 8 bytes of the item from the
// current sort depth, big-endian and zero-padded; tail is the item's length left from that depth,
// capped at 9 so that "ended inside these 8 bytes" sorts before "goes on".
struct Item {
    std::uint64_t prefix;
    std::uint32_t tail;
    std::uint32_t row;
    std::uint32_t keyBegin;
    std::uint32_t keyLen;
};

class WorkList {
public:
    explicit WorkList(const RowList& rows, Progress& progress) : rows_(rows), progress_(progress) {}

    std::vector<Item> items;

    // Loads the 8 bytes of item it from byte depth d.
    void loadPrefix(Item& it, std::size_t d) const {
        std::string_view r = rows_[it.row];
        const std::size_t len = it.keyLen + r.size();
        if (d >= len) {
            it.prefix = 0;
            it.tail = 0;
            return;
        }
        const std::size_t rem = len - d;
        it.tail = rem > 8 ? 9u : static_cast<std::uint32_t>(rem);
        const std::size_t n = rem < 8 ? rem : 8;
        unsigned char buf[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        std::size_t got = 0;
        if (d < it.keyLen) {
            std::size_t c = std::min<std::size_t>(it.keyLen - d, n);
            std::memcpy(buf, r.data() + it.keyBegin + d, c);
            got = c;
        }
        if (got < n) std::memcpy(buf + got, r.data() + (d + got - it.keyLen), n - got);
        std::uint64_t v;
        std::memcpy(&v, buf, 8);
        it.prefix = __builtin_bswap64(v);
    }

    // Ordinal order of the items; equal items keep their input order. The sort refines runs of
    // equal 8-byte prefixes at the next 8 bytes instead of comparing whole items, so each item's
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
            return a.tail < b.tail;
        };
        auto byRow = [](const Item& a, const Item& b) { return a.row < b.row; };
        for (Item& it : items) loadPrefix(it, 0);
        todo.push_back({0, items.size(), 0});
        while (!todo.empty()) {
            Range r = todo.back();
            todo.pop_back();
            Item* base = items.data();
            if (r.depth > 0)
                for (std::size_t i = r.b; i < r.e; ++i) loadPrefix(base[i], r.depth);
            std::sort(base + r.b, base + r.e, byPrefix);
            for (std::size_t i = r.b; i < r.e;) {
                std::size_t j = i + 1;
                while (j < r.e && base[j].prefix == base[i].prefix && base[j].tail == base[i].tail) ++j;
                if (j - i > 1) {
                    if (base[i].tail == 9)
                        todo.push_back({i, j, r.depth + 8});
                    else
                        std::sort(base + i, base + j, byRow);  // identical items
                }
                i = j;
            }
        }
    }

    std::string_view row(const Item& it) const { return rows_[it.row]; }

    bool sameKey(const Item& a, const Item& b) const {
        if (a.keyLen == 0 || a.keyLen != b.keyLen) return false;
        return std::memcmp(rows_[a.row].data() + a.keyBegin, rows_[b.row].data() + b.keyBegin, a.keyLen) == 0;
    }

private:
    const RowList& rows_;
    Progress& progress_;
};

bool Written(DupsChoice choice, bool samePrev, bool sameNext) {
    switch (choice) {
        case DupsChoice::OnlyDups: return samePrev || sameNext;
        case DupsChoice::NoDups: return !samePrev && !sameNext;
        case DupsChoice::All1Dups: return !sameNext;
    }
    return false;
}

}  // namespace

DupsResult RunDups(const RowList& rows, const DupsSettings& s, const std::string& resultsFile, Progress& progress) {
    DupsResult result;
    if (std::string msg = ValidateDups(s); !msg.empty()) {
        result.messages.push_back(std::move(msg));
        return result;
    }
    if (rows.size() > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();

    progress.start(kTextProcessing);
    WorkList work(rows, progress);
    TextWriter out(resultsFile);

    work.items.reserve(rows.size());
    {
        PercentReporter rep(progress, kPrefixEvaluating, InputLineCount);
        const std::size_t n = rows.size();
        for (std::size_t i = 0; i < n; ++i) {
            Item it{0, 0, static_cast<std::uint32_t>(i), 0, 0};
            std::uint32_t b, e;
            if (DupsKeySpan(rows[i], s.spin1, s.spin2, b, e)) {
                it.keyBegin = b;
                it.keyLen = e - b;
            }
            work.items.push_back(it);
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
