#include "LineOperations.h"

#include "NumberParse.h"
#include "Publish.h"
#include "UGlobal.h"
#include "platform/Chars.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace rs {

namespace {

enum class Mode { Trim, LTrim, RTrim, Upper, Lower, Count, RemoveBlank, Tally, WordCount, Sum };

Mode ParseMode(std::string_view mode) {
    static constexpr std::pair<std::string_view, Mode> kModes[] = {
        {"TRIM", Mode::Trim},   {"LTRIM", Mode::LTrim},     {"RTRIM", Mode::RTrim},
        {"UPPER", Mode::Upper}, {"LOWER", Mode::Lower},     {"COUNT", Mode::Count},
        {"REMOVE-BLANK", Mode::RemoveBlank},                {"TALLY", Mode::Tally},
        {"WORDCOUNT", Mode::WordCount},                     {"SUM", Mode::Sum},
    };
    for (auto& [name, m] : kModes)
        if (name == mode) return m;
    throw std::invalid_argument("unknown line operation \"" + std::string(mode) + "\"");
}

LineOutcome Refusal(const std::string& output) {
    return {LineOutcome::Refused,
            "The input file is the file the results are written to:\n" + output +
                "\nCopy it elsewhere and choose the copy as your input, so that nothing is lost.",
            {}};
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

// The number step: returns the row to write.
std::string_view SumRow(std::string_view trimmed, std::string& buf, SumTotals& t, char separator) {
    char* p = Room(buf, trimmed.size());
    std::size_t n = 0;
    for (char c : trimmed)
        if (c != '$' && c != ',') p[n++] = c;
    std::string_view row(p, n);
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

std::string_view WordCountRow(std::string_view row, std::int64_t& words) {
    std::string_view t = chars::Trim(row);
    for (std::size_t sp; (sp = t.find(' ')) != std::string_view::npos;) {
        ++words;
        t = chars::TrimLeft(t.substr(sp + 1));
    }
    ++words;
    return t;
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

}  // namespace

OccurrenceEraser::OccurrenceEraser(std::string_view text) : text_(text), border_(text.size()) {
    for (std::size_t i = 1, k = 0; i < text_.size(); ++i) {
        while (k > 0 && text_[i] != text_[k]) k = border_[k - 1];
        if (text_[i] == text_[k]) ++k;
        border_[i] = static_cast<std::uint32_t>(k);
    }
}

std::int64_t OccurrenceEraser::erase(char* p, std::size_t& n) {
    const std::size_t m = text_.size();
    if (m == 0 || n < m || std::string_view(p, n).find(text_) == std::string_view::npos) return 0;
    // A matcher whose state is kept for every byte written: after a deletion, matching goes
    // on from the state of the byte now last, which is what searching the shortened row
    // again from its start would find.
    if (state_.size() < n) state_.resize(n);
    std::uint32_t* st = state_.data();
    std::size_t w = 0;
    std::uint32_t cur = 0;
    std::int64_t count = 0;
    for (std::size_t r = 0; r < n; ++r) {
        char c = p[r];
        p[w] = c;
        while (cur > 0 && text_[cur] != c) cur = border_[cur - 1];
        if (text_[cur] == c) ++cur;
        st[w++] = cur;
        if (cur == m) {
            w -= m;
            ++count;
            cur = w > 0 ? st[w - 1] : 0;
        }
    }
    n = w;
    return count;
}

LineOutcome RunLineOperation(std::string_view modeText, const std::string& inputFileName, std::string& searchText,
                             const std::string& resultsFile, Progress& progress, char decimalSeparator) {
    const Mode mode = ParseMode(modeText);
    RowCounter = 0;
    if (SameFile(inputFileName, resultsFile)) return Refusal(resultsFile);

    TextReader in(inputFileName);
    TextWriter out(resultsFile);
    progress.start(kTextProcessing);
    PercentReporter percent(progress, kPrefixProcessing, InputLineCount);

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
        RowCounter = static_cast<std::int32_t>(++k);
        std::string_view row = line;
        if (!line.empty()) {
            switch (mode) {
                case Mode::Trim: row = chars::Trim(line); break;
                case Mode::LTrim: row = chars::TrimLeft(line); break;
                case Mode::RTrim: row = chars::TrimRight(line); break;
                case Mode::Upper: row = CaseCopy<'a'>(line, buf); break;
                case Mode::Lower: row = CaseCopy<'A'>(line, buf); break;
                case Mode::WordCount: row = WordCountRow(line, words); break;
                case Mode::Tally: {
                    if (!searchUpper) {
                        chars::UpperInPlace(searchText);
                        searchUpper = true;
                    }
                    CaseCopy<'a'>(line, buf);
                    char* p = buf.data();
                    std::size_t n = line.size();
                    occurrences += tally.erase(p, n);
                    row = std::string_view(p, n);
                    break;
                }
                case Mode::Sum: row = chars::Trim(line); break;
                case Mode::Count:
                case Mode::RemoveBlank: break;
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
    out.close();
    progress.end();

    switch (mode) {
        case Mode::Tally: return {LineOutcome::Message, TallyMessage(searchText, occurrences), {}};
        case Mode::WordCount: return {LineOutcome::Message, WordCountMessage(words), {}};
        case Mode::Sum: return {LineOutcome::Message, SumMessage(totals, decimalSeparator), {}};
        default: return {LineOutcome::Publish, {}, {}};
    }
}

LineOutcome RemoveTextEverywhere(const std::string& inputFileName, const std::string& searchText,
                                 const std::string& resultsFile, Progress& progress) {
    if (SameFile(inputFileName, resultsFile)) return Refusal(resultsFile);
    TextReader in(inputFileName);
    TextWriter out(resultsFile);
    RowCounter = 0;
    progress.start(kTextProcessing);
    PercentReporter percent(progress, kPrefixProcessing, InputLineCount);

    std::string buf;
    OccurrenceEraser eraser(searchText);
    std::int64_t k = 0;
    std::string_view line;
    while (in.readLine(line)) {
        std::string_view row = line;
        if (chars::Find(line, searchText) != std::string_view::npos) {
            char* p = Room(buf, line.size());
            std::copy(line.begin(), line.end(), p);
            std::size_t n = line.size();
            eraser.erase(p, n);
            row = std::string_view(p, n);
        }
        RowCounter = static_cast<std::int32_t>(++k);
        out.writeLine(row);
        percent.row(k);
    }
    in.close();
    out.close();
    progress.end();
    return {LineOutcome::Publish, {}, {}};
}

LineOutcome RemoveLinesContaining(const RowList& rows, const std::string& searchText,
                                  const std::string& resultsFile, const std::string& inputFileName) {
    if (!inputFileName.empty() && SameFile(inputFileName, resultsFile)) return Refusal(resultsFile);
    TextWriter out(resultsFile);
    std::int64_t removed = 0;
    const std::size_t count = rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view row = rows[i];
        if (chars::Find(row, searchText) != std::string_view::npos)
            ++removed;
        else
            out.writeLine(row);
    }
    out.close();
    return {LineOutcome::Publish, {}, {"Total rows removed = " + std::to_string(removed)}};
}

void FinishLineOutcome(const LineOutcome& outcome) {
    for (const std::string& m : outcome.messagesBefore) ShowMessage(m);
    if (outcome.kind == LineOutcome::Publish)
        PublishResultsFile(kPublishChanges);
    else
        ShowMessage(outcome.message);
}

}  // namespace rs
