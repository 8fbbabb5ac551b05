#include "core/workbench/RemoveLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/Parallel.h"
#include "core/platform/RowOutput.h"
#include "core/platform/TextFile.h"

#include <oneapi/tbb/parallel_for.h>

#include <algorithm>
#include <cstring>

namespace rs {

std::optional<std::string> ValidateRemove(const RemoveSettings& s) {
    if (s.onlyIfContains && s.text.empty()) return kMsgRemoveNeedsString;
    if (s.first > s.last) return kMsgRemovePositions;
    return std::nullopt;
}

namespace {

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ULL;
    h ^= h >> 32;
    return h;
}

std::uint64_t Load4(const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

// Up to eight bytes of a key in one word; for a given length no two keys share a word.
std::uint64_t Pack(const char* p, std::size_t n) {
    if (n >= 4) return Load4(p) | (Load4(p + n - 4) << 32);
    return static_cast<std::uint64_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
           static_cast<std::uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16;
}

constexpr std::size_t kShortKey = 8;

std::uint64_t HashShort(std::uint64_t packed, std::size_t n) {
    return Mix(packed ^ (n * 0x9E3779B97F4A7C15ULL));
}

std::uint64_t HashLong(std::string_view k) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL * k.size();
    std::size_t i = 0;
    for (; i + 8 <= k.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, k.data() + i, 8);
        h = Mix(h ^ w);
    }
    if (i < k.size()) h = Mix(h ^ Pack(k.data() + i, k.size() - i));
    return Mix(h);
}

// A key as the table sees it: short keys are held whole in `word`, longer ones by hash.
struct KeyRef {
    std::string_view text;
    std::uint64_t word;
    std::uint64_t hash;
};

KeyRef MakeKey(std::string_view k) {
    if (k.size() <= kShortKey) {
        std::uint64_t w = Pack(k.data(), k.size());
        return {k, w, HashShort(w, k.size())};
    }
    std::uint64_t h = HashLong(k);
    return {k, h, h};
}

// The first row of every key seen. Short keys are compared inside the table; a longer key
// is compared with its first row only when length and full hash agree.
class KeyTable {
public:
    KeyTable() : slots_(kInitial), mask_(kInitial - 1) {}

    void prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // The first row with an equal key, or `row` itself when the key is new.
    template <class FirstRowKey>
    std::size_t findOrAdd(const KeyRef& k, std::size_t row, FirstRowKey firstRowKey) {
        const auto len = static_cast<std::uint32_t>(k.text.size());
        for (std::size_t i = k.hash & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.row1 == 0) {
                s = Slot{k.word, static_cast<std::uint32_t>(row) + 1u, len};
                if (++used_ * 10 > slots_.size() * 7) grow();
                return row;
            }
            if (s.len == len && s.word == k.word) {
                const std::size_t first = s.row1 - 1u;
                if (len <= kShortKey || firstRowKey(first) == k.text) return first;
            }
        }
    }

private:
    struct Slot {
        std::uint64_t word = 0;
        std::uint32_t row1 = 0;  // first row + 1; 0 when empty
        std::uint32_t len = 0;
    };
    static constexpr std::size_t kInitial = 1024;

    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        for (const Slot& s : old) {
            if (s.row1 == 0) continue;
            std::uint64_t h = s.len <= kShortKey ? HashShort(s.word, s.len) : s.word;
            std::size_t i = h & mask_;
            while (slots_[i].row1 != 0) i = (i + 1) & mask_;
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_;
    std::size_t mask_;
    std::size_t used_ = 0;
};

}  // namespace

namespace {

// Settles the rows of `order` (rows of one share of the keys, in input order): a row whose key
// has been seen removes itself and the first row of that key.
void SettleKeys(const RowList& rows, std::int32_t first, std::int32_t last, const std::uint32_t* order,
                std::size_t count, char* removed) {
    // Every row here has a key.
    auto keyOf = [&](std::size_t r) {
        std::string_view row = rows[r];
        return chars::CharSpan(row, first, last).value_or(chars::ByteSpan{}).of(row);
    };
    KeyTable table;
    // Rows go in blocks: the keys of a block are found and their slots fetched ahead, then
    // the block is settled in order. A key equal to the previous one (keys often come in
    // runs) needs no look-up.
    constexpr std::size_t kBlock = 32;
    struct Pending {
        KeyRef key;
        bool sameAsPrevious;
    };
    Pending block[kBlock];
    std::string_view prevKey;
    bool havePrev = false;
    std::size_t prevFirst = 0;
    for (std::size_t start = 0; start < count; start += kBlock) {
        const std::size_t end = std::min(count, start + kBlock);
        for (std::size_t k = start; k < end; ++k) {
            Pending& p = block[k - start];
            const std::string_view key = keyOf(order[k]);
            p.sameAsPrevious = havePrev && key == prevKey;
            if (!p.sameAsPrevious) {
                p.key = MakeKey(key);
                table.prefetch(p.key.hash);
            }
            prevKey = key;
            havePrev = true;
        }
        for (std::size_t k = start; k < end; ++k) {
            const Pending& p = block[k - start];
            const std::size_t row = order[k];
            const std::size_t firstRow = p.sameAsPrevious ? prevFirst : table.findOrAdd(p.key, row, keyOf);
            if (firstRow != row) {
                removed[row] = 1;
                removed[firstRow] = 1;
            }
            prevFirst = firstRow;
        }
    }
}

}  // namespace

std::vector<char> RowsWithSharedKeys(const RowList& rows, std::int32_t first, std::int32_t last) {
    const std::size_t n = rows.size();
    std::vector<char> removed(n, 0);
    // Rows shorter than `last` characters take no part (their key would be shorter), so they
    // always stay. The others are shared out by the top bits of their key's hash, so that equal
    // keys meet in one share, and the shares are settled side by side.
    constexpr unsigned kShareBits = 7;
    constexpr std::size_t kShares = std::size_t{1} << kShareBits;
    constexpr std::uint8_t kNoKey = 0xFF;
    std::vector<std::uint8_t> shareOf(n);
    const std::size_t stretches = (n + kParallelFrom - 1) / kParallelFrom;
    // counts[s * kShares + h]: rows of stretch s in share h, then where they go.
    std::vector<std::uint32_t> counts(stretches * kShares, 0);
    tbb::parallel_for(std::size_t{0}, stretches, [&](std::size_t s) {
        std::uint32_t* c = counts.data() + s * kShares;
        for (std::size_t i = s * kParallelFrom; i < std::min(n, (s + 1) * kParallelFrom); ++i) {
            std::string_view row = rows[i];
            const std::optional<chars::ByteSpan> key = chars::CharSpan(row, first, last);
            if (!key) {
                shareOf[i] = kNoKey;
                continue;
            }
            const std::size_t h = MakeKey(key->of(row)).hash >> (64 - kShareBits);
            shareOf[i] = static_cast<std::uint8_t>(h);
            ++c[h];
        }
    });
    // Places in share order, and within a share in stretch order, so each share keeps input order.
    std::vector<std::size_t> shareStart(kShares + 1, 0);
    std::uint32_t place = 0;
    for (std::size_t h = 0; h < kShares; ++h) {
        shareStart[h] = place;
        for (std::size_t s = 0; s < stretches; ++s) {
            const std::uint32_t c = counts[s * kShares + h];
            counts[s * kShares + h] = place;
            place += c;
        }
    }
    shareStart[kShares] = place;
    std::vector<std::uint32_t> order(place);
    tbb::parallel_for(std::size_t{0}, stretches, [&](std::size_t s) {
        std::uint32_t* next = counts.data() + s * kShares;
        for (std::size_t i = s * kParallelFrom; i < std::min(n, (s + 1) * kParallelFrom); ++i)
            if (shareOf[i] != kNoKey) order[next[shareOf[i]]++] = static_cast<std::uint32_t>(i);
    });
    tbb::parallel_for(std::size_t{0}, kShares, [&](std::size_t h) {
        SettleKeys(rows, first, last, order.data() + shareStart[h], shareStart[h + 1] - shareStart[h],
                   removed.data());
    });
    return removed;
}

namespace {

void RunByPosition(const RowList& rows, const RemoveSettings& s, RowOutput& out, Progress& progress,
                   RunCounters& counters) {
    PercentReporter reporter(progress, kPrefixProcessing, counters);
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view row = rows[i];
        const std::optional<chars::ByteSpan> span = chars::CharSpan(row, s.first, s.last);
        bool cut = span.has_value();
        bool drop = false;
        if (cut && s.onlyIfContains) {
            // The whole text must lie inside the range.
            cut = !s.text.empty() && span->of(row).find(s.text) != std::string_view::npos;
            drop = cut && s.entireRow;
        }
        if (cut && !drop) {
            out.put(row.substr(0, span->begin));
            out.line(row.substr(span->end));
        } else if (!drop) {
            out.line(row);
        }
        reporter.row(static_cast<std::int64_t>(i));
    }
}

}  // namespace

RunOutcome RunRemove(const RowList& rows, const RemoveSettings& s, const std::string& resultsFile,
                     Progress& progress, RunCounters& counters) {
    if (auto message = ValidateRemove(s)) return RunOutcome::Messages({*message});
    RefuseOverwrite(resultsFile, {rows.source()});
    progress.start(kTextProcessing);
    if (s.byKey) {
        TextWriter writer(resultsFile);
        RunAside(
            [&] {
                const std::vector<char> removed = RowsWithSharedKeys(rows, s.first, s.last);
                const std::size_t n = removed.size();
                const std::size_t part = ItemsPerPart(static_cast<double>(rows.byteSize() + 2 * n), n);
                WriteParts(writer, (n + part - 1) / part, [&](std::size_t k, PartText& text) {
                    for (std::size_t i = k * part; i < std::min(n, (k + 1) * part); ++i)
                        if (!removed[i]) text.line(rows[i]);
                });
            },
            [&progress] { progress.pump(); });
        writer.close();
    } else {
        TextWriter writer(resultsFile);
        RowOutput out(writer);
        RunByPosition(rows, s, out, progress, counters);
        out.flush();
        writer.close();
    }
    progress.end();
    return RunOutcome::Publish(resultsFile);
}

}  // namespace rs
