#include "core/workbench/LineOperations.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/TextFile.h"
#include "core/workbench/NumberParse.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include <emmintrin.h>

namespace rs {

namespace {

enum class Mode { Trim, LTrim, RTrim, Upper, Lower, Count, RemoveBlank, Tally, WordCount, Sum };

Mode ParseMode(std::string_view mode) {
    static constexpr std::pair<std::string_view, Mode> kModes[] = {
        {"TRIM", Mode::Trim},
        {"LTRIM", Mode::LTrim},
        {"RTRIM", Mode::RTrim},
        {"UPPER", Mode::Upper},
        {"LOWER", Mode::Lower},
        {"COUNT", Mode::Count},
        {"REMOVE-BLANK", Mode::RemoveBlank},
        {"TALLY", Mode::Tally},
        {"WORDCOUNT", Mode::WordCount},
        {"SUM", Mode::Sum},
    };
    for (auto& [name, m] : kModes)
        if (name == mode) return m;
    throw std::invalid_argument("unknown line operation \"" + std::string(mode) + "\"");
}

// Makes buf hold at least n bytes without ever shrinking it, so rows reuse one allocation.
char* Room(std::string& buf, std::size_t n) {
    if (buf.size() < n) buf.resize(n);
    return buf.data();
}

// Copies src with the ASCII letters lo..lo+25 switched to the other case; other bytes stay.
template <char lo>
std::string_view CaseCopy(std::string_view src, std::string& buf) {
    char* dst = Room(buf, src.size());
    const char* s = src.data();
    for (std::size_t i = 0, n = src.size(); i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        dst[i] = static_cast<char>(c ^ (static_cast<unsigned char>(c - lo) < 26 ? 0x20 : 0));
    }
    return {dst, src.size()};
}

struct SumTotals {
    long double sum = 0, whole = 0, fraction = 0;
    std::int64_t valid = 0, invalid = 0;
};

// Byte-exact search. (memmem costs more per call than a first-byte scan on short rows.)
inline bool Contains(std::string_view s, std::string_view sub) {
    return !sub.empty() && s.find(sub) != std::string_view::npos;
}

// Bytes that FindPadded may read past the end of the text it searches.
constexpr std::size_t kFindPadding = 16;

// The first occurrence of sub in p[0..n), or npos. Candidates are the positions where the
// first and the last byte of sub both match, sixteen at a time.
std::size_t FindPadded(const char* p, std::size_t n, std::string_view sub) {
    const std::size_t m = sub.size();
    if (m == 0 || n < m) return std::string_view::npos;
    const __m128i first = _mm_set1_epi8(sub[0]);
    const __m128i last = _mm_set1_epi8(sub[m - 1]);
    const std::size_t end = n - m;  // the last position where sub can start
    for (std::size_t i = 0; i <= end; i += 16) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + m - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        if (end - i < 15) mask &= (2u << (end - i)) - 1;
        for (; mask; mask &= mask - 1) {
            std::size_t j = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (m <= 2 || std::memcmp(p + j + 1, sub.data() + 1, m - 2) == 0) return j;
        }
    }
    return std::string_view::npos;
}

// Copies s to d without its "$" and "," bytes; returns the bytes written.
std::size_t CopyWithoutDollarsAndCommas(std::string_view s, char* d) {
    const char* p = s.data();
    const std::size_t n = s.size();
    std::size_t out = 0, i = 0;
    const __m128i dollar = _mm_set1_epi8('$'), comma = _mm_set1_epi8(',');
    for (; i + 16 <= n; i += 16) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        unsigned hits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, dollar), _mm_cmpeq_epi8(x, comma))));
        if (hits == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + out), x);
            out += 16;
            continue;
        }
        for (unsigned k = 0; k < 16; ++k) {
            d[out] = p[i + k];
            out += ((hits >> k) & 1) ^ 1;
        }
    }
    for (; i < n; ++i) {
        d[out] = p[i];
        out += p[i] != '$' && p[i] != ',';
    }
    return out;
}

// The number step: returns the row to write.
std::string_view SumRow(std::string_view trimmed, std::string& buf, SumTotals& t, char separator) {
    char* p = Room(buf, trimmed.size());
    std::string_view row(p, CopyWithoutDollarsAndCommas(trimmed, p));
    if (chars::IsBlank(row)) return row;
    bool negative = row[0] == '-';
    if (negative) row.remove_prefix(1);

    long double value = 0, whole = 0, fraction = 0;
    bool ok = ParseNumber(row, separator, value);
    if (ok) {
        if (negative) value = -value;
        // The split looks for "." whatever the separator is.
        std::size_t dot = row.find('.');
        if (dot == std::string_view::npos) {
            whole = value;
        } else {
            ok = ParseNumber(row.substr(dot), separator, fraction) &&
                 (dot == 0 || ParseNumber(row.substr(0, dot), separator, whole));
            if (negative) {
                whole = -whole;
                fraction = -fraction;
            }
        }
    }
    if (ok) {
        t.sum += value;
        t.whole += whole;
        t.fraction += fraction;
        ++t.valid;
    } else {
        ++t.invalid;
    }
    return row;
}

// Words are the pieces of the trimmed row between runs of bytes <= 32 that hold a space;
// the row's last piece is written.
std::string_view WordCountRow(std::string_view row, std::int64_t& words) {
    const std::string_view t = chars::Trim(row);
    const unsigned char* s = reinterpret_cast<const unsigned char*>(t.data());
    const std::size_t n = t.size();
    // Rows whose only such byte is the space: count where a run of spaces starts.
    // Byte-wide counters over stretches of 255 bytes let the compiler keep 16 bytes a step.
    unsigned control = 0;
    std::size_t runs = 0;
    for (std::size_t i = 1; i < n;) {
        const std::size_t stretch = std::min(n, i + 255);
        unsigned char runs8 = 0, control8 = 0;
        for (; i < stretch; ++i) {
            runs8 += (s[i] == ' ') & (s[i - 1] != ' ');
            control8 |= s[i] < 32;
        }
        runs += runs8;
        control |= control8;
    }
    if (!control) {
        words += 1 + static_cast<std::int64_t>(runs);
        const void* last = n ? ::memrchr(s, ' ', n) : nullptr;
        return last ? t.substr(static_cast<std::size_t>(static_cast<const unsigned char*>(last) - s) + 1) : t;
    }
    // The trimmed row ends in a byte above 32, so no run reaches its end.
    const char* p = t.data();
    const char* end = p + n;
    const char* lastWord = p;
    std::int64_t count = 1;
    while (const char* sp =
               static_cast<const char*>(std::memchr(p, ' ', static_cast<std::size_t>(end - p)))) {
        ++count;
        p = sp + 1;
        while (static_cast<unsigned char>(*p) <= 32) ++p;
        lastWord = p;
    }
    words += count;
    return std::string_view(lastWord, static_cast<std::size_t>(end - lastWord));
}

std::string TallyMessage(const std::string& text, std::int64_t count) {
    return "The word \"" + text + "\" occurred " + std::to_string(count) +
           " times in your text. Note: Uppercase or lowercase does not matter as it will find it regardless.";
}

std::string WordCountMessage(std::int64_t words) {
    return "The total number of words in the file is: " + std::to_string(words) +
           ". A word is defined as any characters surrounded by spaces.";
}

std::string SumMessage(const SumTotals& t, char separator) {
    return "The total sum is: " + FormatTotal(t.sum, separator) +
           "   The total \"whole\" values summed up is " + FormatTotal(t.whole, separator) +
           "   The total \"frac\" (decimal) values summed up is " + FormatTotal(t.fraction, separator) +
           "   There were " + std::to_string(t.valid) + " values total used in the list and there were " +
           std::to_string(t.invalid) + " invalid values in your list that were thrown out.";
}

// A matcher whose state is kept for every byte written: after a deletion, matching goes on
// from the state of the byte now last, which is what searching the shortened row again from
// its start would find. It starts at the first occurrence; the states of the bytes before it
// are worked out only if deletions uncover them.
template <class Step>
std::int64_t EraseFrom(char* p, std::size_t& n, std::size_t first, std::size_t m, std::uint32_t* st,
                       Step step) {
    std::uint32_t cur = 0;
    // No state reaches m - 1 bytes back, so the last m - 1 bytes give the state at first - 1.
    for (std::size_t k = first >= m ? first - m + 1 : 0; k < first; ++k) cur = step(cur, p[k]);
    std::size_t known = first;  // st[k] holds for known <= k < w
    if (first > 0) st[--known] = cur;

    std::size_t w = first;
    std::int64_t count = 0;
    for (std::size_t r = first; r < n; ++r) {
        char c = p[r];
        p[w] = c;
        cur = step(cur, c);
        st[w++] = cur;
        if (cur == m) {
            w -= m;
            ++count;
            if (w > 0 && w - 1 < known) {
                // Bytes before the first occurrence are still as read.
                std::uint32_t s = 0;
                for (std::size_t k = 0; k < known; ++k) st[k] = s = step(s, p[k]);
                known = 0;
            }
            cur = w > 0 ? st[w - 1] : 0;
        }
    }
    n = w;
    return count;
}

constexpr std::size_t kMaxTableText = 256;

}  // namespace

OccurrenceEraser::OccurrenceEraser(std::string_view text) : text_(text), border_(text.size()) {
    const std::size_t m = text_.size();
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && text_[i] != text_[k]) k = border_[k - 1];
        if (text_[i] == text_[k]) ++k;
        border_[i] = static_cast<std::uint32_t>(k);
    }
    // For texts of ordinary length, a transition table makes each byte one lookup.
    if (m == 0 || m > kMaxTableText) return;
    next_.assign(m * 256, 0);
    for (std::size_t s = 0; s < m; ++s)
        for (unsigned c = 0; c < 256; ++c)
            next_[s * 256 + c] = static_cast<unsigned char>(text_[s]) == c ? static_cast<std::uint16_t>(s + 1)
                                 : s == 0                                  ? 0
                                                                           : next_[border_[s - 1] * 256 + c];
}

std::int64_t OccurrenceEraser::erase(std::string& row, std::size_t& n) {
    const std::size_t m = text_.size();
    if (m == 0 || n < m) return 0;
    if (row.size() < n + kFindPadding) row.resize(n + kFindPadding);
    char* p = row.data();
    const std::size_t first = FindPadded(p, n, text_);
    if (first == std::string_view::npos) return 0;
    if (state_.size() < n) state_.resize(n);
    if (!next_.empty()) {
        const std::uint16_t* next = next_.data();
        return EraseFrom(p, n, first, m, state_.data(), [next](std::uint32_t cur, char c) -> std::uint32_t {
            return next[cur * 256 + static_cast<unsigned char>(c)];
        });
    }
    return EraseFrom(p, n, first, m, state_.data(), [this](std::uint32_t cur, char c) {
        while (cur > 0 && text_[cur] != c) cur = border_[cur - 1];
        return text_[cur] == c ? cur + 1 : cur;
    });
}

RunOutcome RunLineOperation(std::string_view modeText, const std::string& inputFileName,
                            std::string& searchText, const std::string& resultsFile, Progress& progress,
                            RunCounters& counters, char decimalSeparator,
                            const std::optional<PastedText>& pasted) {
    const Mode mode = ParseMode(modeText);
    counters.RowCounter = 0;
    RefuseOverwrite(resultsFile, {inputFileName});

    PasteCheck check(inputFileName, pasted);
    TextReader in(inputFileName, check.digester());
    TextWriter out(resultsFile);
    progress.start(kTextProcessing);
    PercentReporter percent(progress, kPrefixProcessing, counters);

    std::string buf;  // the output row, for the modes that change its bytes
    OccurrenceEraser tally(mode == Mode::Tally ? chars::Upper(searchText) : std::string());
    bool searchUpper = false;
    std::int64_t rowNumber = 0, occurrences = 0, words = 0;
    SumTotals totals;
    char number[24];

    std::int64_t k = 0;
    std::string_view line;
    while (in.readLine(line)) {
        // The counter is 32 bits wide; the percentage gets the full count.
        counters.RowCounter = static_cast<std::int32_t>(++k);
        std::string_view row = line;
        if (!line.empty()) {
            switch (mode) {
                case Mode::Trim:
                    row = chars::Trim(line);
                    break;
                case Mode::LTrim:
                    row = chars::TrimLeft(line);
                    break;
                case Mode::RTrim:
                    row = chars::TrimRight(line);
                    break;
                case Mode::Upper:
                    row = CaseCopy<'a'>(line, buf);
                    break;
                case Mode::Lower:
                    row = CaseCopy<'A'>(line, buf);
                    break;
                case Mode::WordCount:
                    row = WordCountRow(line, words);
                    break;
                case Mode::Tally: {
                    if (!searchUpper) {
                        chars::UpperInPlace(searchText);
                        searchUpper = true;
                    }
                    CaseCopy<'a'>(line, buf);
                    std::size_t n = line.size();
                    occurrences += tally.erase(buf, n);
                    row = std::string_view(buf.data(), n);
                    break;
                }
                case Mode::Sum:
                    row = chars::Trim(line);
                    break;
                case Mode::Count:
                case Mode::RemoveBlank:
                    break;
            }
        }
        if (mode == Mode::Sum && !row.empty()) row = SumRow(row, buf, totals, decimalSeparator);

        if (mode == Mode::Count) {
            auto r = std::to_chars(number, number + sizeof number, ++rowNumber);
            out.write(std::string_view(number, static_cast<std::size_t>(r.ptr - number)));
            out.write(") ");
            out.writeLine(line);
        } else if (mode != Mode::RemoveBlank || !chars::IsBlank(row)) {
            out.writeLine(row);
        }
        percent.row(k);
    }
    in.close();
    // Before the results are put in place: the rows run on are the bytes checked.
    check.refuseReplaced();
    out.close();
    progress.end();

    switch (mode) {
        case Mode::Tally:
            return RunOutcome::Messages({TallyMessage(searchText, occurrences)});
        case Mode::WordCount:
            return RunOutcome::Messages({WordCountMessage(words)});
        case Mode::Sum:
            return RunOutcome::Messages({SumMessage(totals, decimalSeparator)});
        default:
            return RunOutcome::Publish(resultsFile);
    }
}

RunOutcome RemoveTextEverywhere(const std::string& inputFileName, const std::string& searchText,
                                const std::string& resultsFile, Progress& progress, RunCounters& counters,
                                const std::optional<PastedText>& pasted) {
    RefuseOverwrite(resultsFile, {inputFileName});
    PasteCheck check(inputFileName, pasted);
    TextReader in(inputFileName, check.digester());
    TextWriter out(resultsFile);
    counters.RowCounter = 0;
    progress.start(kTextProcessing);
    PercentReporter percent(progress, kPrefixProcessing, counters);

    std::string buf;
    OccurrenceEraser eraser(searchText);
    std::int64_t k = 0;
    std::string_view line;
    while (in.readLine(line)) {
        std::string_view row = line;
        if (Contains(line, searchText)) {
            std::copy(line.begin(), line.end(), Room(buf, line.size()));
            std::size_t n = line.size();
            eraser.erase(buf, n);
            row = std::string_view(buf.data(), n);
        }
        counters.RowCounter = static_cast<std::int32_t>(++k);
        out.writeLine(row);
        percent.row(k);
    }
    in.close();
    check.refuseReplaced();
    out.close();
    progress.end();
    return RunOutcome::Publish(resultsFile);
}

RunOutcome RemoveLinesContaining(const RowList& rows, const std::string& searchText,
                                 const std::string& resultsFile) {
    RefuseOverwrite(resultsFile, {rows.source()});
    TextWriter out(resultsFile);
    std::int64_t removed = 0;
    const std::size_t count = rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view row = rows[i];
        if (Contains(row, searchText))
            ++removed;
        else
            out.writeLine(row);
    }
    out.close();
    return RunOutcome::Publish(resultsFile, {"Total rows removed = " + std::to_string(removed)});
}

}  // namespace rs
