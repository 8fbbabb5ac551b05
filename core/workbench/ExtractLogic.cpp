#include "core/workbench/ExtractLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/RowOutput.h"
#include "core/platform/TextFile.h"

#include <algorithm>
#include <cstring>

#include <emmintrin.h>

namespace rs {

std::optional<std::string> ValidateExtract(const ExtractSettings& s) {
    switch (s.choice) {
        case ExtractChoice::Positions:
            if (s.first > s.last) return kMsgExtractPositions;
            break;
        case ExtractChoice::String:
            if (s.startText.empty() || s.count == 0) return kMsgExtractString;
            break;
        case ExtractChoice::StrExists:
            if (s.existsText.empty()) return kMsgExtractExists;
            break;
        case ExtractChoice::StringByte:
            if (s.byteText.empty()) return kMsgExtractStringByte;
            break;
        default:
            break;
    }
    return std::nullopt;
}

namespace {

using chars::npos;

// True when the row passes the selected test; result is then the part to write.
bool Match(std::string_view row, const ExtractSettings& s, std::string_view& result) {
    switch (s.choice) {
        case ExtractChoice::Positions: {
            const std::optional<chars::ByteSpan> span = chars::CharSpan(row, s.first, s.last);
            if (!span) return false;
            result = span->of(row);
            return true;
        }
        case ExtractChoice::String: {
            std::size_t p = chars::Find(row, s.startText);
            if (p == npos) return false;
            std::string_view rest = row.substr(p);
            result = chars::ClippedSpan(rest, 1, s.count).of(rest);
            return true;
        }
        case ExtractChoice::StringBetween: {
            // The end text is looked for from the first character of the start text on, so
            // it may be found inside the start text; only its first character is taken.
            std::size_t p = chars::Find(row, s.betweenStart);
            if (p == npos) return false;
            std::size_t q = chars::Find(row, s.betweenEnd, p);
            if (q == npos) return false;
            result = row.substr(p, q - p + chars::OffsetAfter(row.substr(q), 1));
            return true;
        }
        case ExtractChoice::StrExists:
            result = row;
            return chars::Find(row, s.existsText) != npos;
        case ExtractChoice::StringByte: {
            // Only the first occurrence counts.
            std::size_t p = chars::Find(row, s.byteText);
            result = row;
            return p != npos && chars::Length(row.substr(0, p)) + 1 == s.bytePosition;
        }
        default:
            return false;
    }
}

// Offset of the first space in [from, s.size()), or s.size(); eight bytes at a time.
std::size_t FindSpace(std::string_view s, std::size_t from) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    constexpr std::uint64_t kSpaces = kOnes * ' ';
    std::size_t i = from;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        w ^= kSpaces;
        std::uint64_t zero = (w - kOnes) & ~w & kHighs;
        if (zero) return i + static_cast<std::size_t>(__builtin_ctzll(zero) / 8);
    }
    while (i < s.size() && s[i] != ' ') ++i;
    return i;
}

// Offset of the first byte above 32 in [from, s.size()), or s.size(); eight bytes at a time.
std::size_t SkipBlanks(std::string_view s, std::size_t from) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL, kHighs = 0x8080808080808080ULL;
    constexpr std::uint64_t kAbove32 =
        0x5F5F5F5F5F5F5F5FULL;  // (b & 0x7F) + 0x5F carries into bit 7 when above 32
    std::size_t i = from;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        std::uint64_t above = (((w & kLow7) + kAbove32) | w) & kHighs;
        if (above) return i + static_cast<std::size_t>(__builtin_ctzll(above) / 8);
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
    return i;
}

// Bit i set where byte i of the 64 bytes at p is a blank (code 32 or below), and where it
// is a space.
void BlankMasks(const char* p, std::uint64_t& blanks, std::uint64_t& spaces) {
    const __m128i c32 = _mm_set1_epi8(32);
    blanks = spaces = 0;
    for (int k = 0; k < 4; ++k) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        auto b = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, c32), v)));
        auto sp = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c32)));
        blanks |= std::uint64_t{b} << (16 * k);
        spaces |= std::uint64_t{sp} << (16 * k);
    }
}

// The words of a trimmed, non-empty row, worked out with bit masks 64 bytes at a time. A
// byte belongs to a word when it is above 32, or when it is another blank between such a
// byte and the next space (a tab inside or at the end of a word); a word ends at the
// first space after it.
std::int64_t SplitWords(std::string_view s, RowOutput& out) {
    const char* p = s.data();
    const std::size_t n = s.size();
    char* o = out.reserve(2 * n + 18);
    std::int64_t words = 0;
    std::size_t wordStart = 0;
    auto emit = [&](std::size_t end) {
        const std::size_t len = end - wordStart;
        if (len <= 16 && wordStart + 16 <= n)
            std::memcpy(o, p + wordStart, 16);
        else
            std::memcpy(o, p + wordStart, len);
        o += len;
        o[0] = '\r';
        o[1] = '\n';
        o += 2;
        ++words;
    };
    // Carried from the previous block: its last byte was blank / kept before a space / in a word.
    std::uint64_t prevBlank = 0, prevKeptBlank = 0, prevIn = 0;
    alignas(16) char tail[64];
    for (std::size_t base = 0; base < n; base += 64) {
        const std::size_t len = std::min<std::size_t>(64, n - base);
        std::uint64_t blank, space;
        if (len == 64) {
            BlankMasks(p + base, blank, space);
        } else {
            std::memset(tail, 'x', sizeof tail);
            std::memcpy(tail, p + base, len);
            BlankMasks(tail, blank, space);
        }
        const std::uint64_t other = blank & ~space;  // tabs and other control characters
        // Blanks before the first space of a run of blanks stay in the word before them:
        // fill from each run's start through its leading non-space blanks.
        const std::uint64_t runStart = blank & ~((blank << 1) | prevBlank);
        const std::uint64_t seeds = (runStart & other) | (prevKeptBlank & other & 1u);
        const std::uint64_t keptBlank = other & (other ^ (other + seeds));
        const std::uint64_t valid = len == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << len) - 1;
        const std::uint64_t in = valid & ~(blank & ~keptBlank);
        const std::uint64_t before = (in << 1) | prevIn;
        const std::uint64_t starts = in & ~before;
        const std::uint64_t ends = space & before;
        for (std::uint64_t ev = starts | ends; ev != 0; ev &= ev - 1) {
            const auto bit = static_cast<unsigned>(__builtin_ctzll(ev));
            if ((starts >> bit) & 1u)
                wordStart = base + bit;
            else
                emit(base + bit);
        }
        prevBlank = blank >> 63;
        prevKeptBlank = keptBlank >> 63;
        prevIn = in >> 63;
    }
    emit(n);  // the row ends with a byte above 32, so its last word is still open
    out.commit(o);
    return words;
}

// Writes the words of a trimmed, non-empty row, each as a line, and returns how many.
std::int64_t WordsOfRow(std::string_view s, RowOutput& out) {
    if (2 * s.size() + 18 <= RowOutput::capacity()) return SplitWords(s, out);
    std::int64_t words = 0;
    for (std::size_t at = 0; at < s.size(); ++words) {
        std::size_t sp = FindSpace(s, at);
        out.line(s.substr(at, sp - at), s.size() - at);
        at = SkipBlanks(s, sp);
    }
    return words;
}

std::int64_t RunWords(const RowList& rows, RowOutput& out, PercentReporter& reporter) {
    std::int64_t words = 0;
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        // A word runs to the next space; after it every byte of code 32 or below is
        // skipped. So only a space ends a word, and a tab before a space stays in it.
        std::string_view s = chars::Trim(rows[i]);
        if (s.empty()) continue;
        words += WordsOfRow(s, out);
        // Every word of a row reports the same figure, so one report a row shows the same.
        reporter.row(static_cast<std::int64_t>(i));
    }
    return words;
}

}  // namespace

RunOutcome RunExtract(const RowList& rows, const ExtractSettings& s, const std::string& resultsFile,
                      Progress& progress, RunCounters& counters) {
    if (auto message = ValidateExtract(s)) return RunOutcome::Messages({*message});
    RunOutcome outcome = RunOutcome::Publish(resultsFile);
    RefuseOverwrite(resultsFile, {rows.source()});
    progress.start(kTextProcessing);
    TextWriter writer(resultsFile);
    RowOutput out(writer);
    PercentReporter reporter(progress, kPrefixProcessing, counters);
    if (s.choice == ExtractChoice::ExtractWords) {
        std::int64_t words = RunWords(rows, out, reporter);
        outcome.messages.push_back(kMsgWordsExtracted + std::to_string(words));
    } else {
        const std::size_t n = rows.size();
        std::string_view result;
        for (std::size_t i = 0; i < n; ++i) {
            std::string_view row = rows[i];
            bool matched = Match(row, s, result);
            if (!s.opposite) {
                if (matched) out.line(result);
            } else if (!matched) {
                out.line(row);
            } else {
                continue;  // a matching row of the opposite pass is passed over without an update
            }
            reporter.row(static_cast<std::int64_t>(i));
        }
    }
    out.flush();
    writer.close();
    progress.end();
    return outcome;
}

}  // namespace rs
