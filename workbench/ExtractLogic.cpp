#include "ExtractLogic.h"

#include "UGlobal.h"
#include "platform/TextFile.h"

#include <cstring>

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

constexpr std::size_t npos = std::string_view::npos;

std::size_t CharBytesAt(std::string_view s, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    return static_cast<std::size_t>(chars::CharBytes(p + at, p + s.size()));
}

// True when the row passes the selected test; result is then the part to write.
bool Match(std::string_view row, const ExtractSettings& s, std::string_view& result) {
    switch (s.choice) {
        case ExtractChoice::Positions: {
            std::size_t b = 0, e = 0;
            if (!CharRange(row, s.first, s.last, b, e)) return false;
            result = row.substr(b, e - b);
            return true;
        }
        case ExtractChoice::String: {
            std::size_t p = chars::Find(row, s.startText);
            if (p == npos) return false;
            std::string_view rest = row.substr(p);
            result = rest.substr(0, chars::ByteOffset(rest, s.count));
            return true;
        }
        case ExtractChoice::StringBetween: {
            // The end text is looked for from the first character of the start text on, so
            // it may be found inside the start text; only its first character is taken.
            std::size_t p = chars::Find(row, s.betweenStart);
            if (p == npos) return false;
            std::size_t q = chars::Find(row, s.betweenEnd, p);
            if (q == npos) return false;
            result = row.substr(p, q - p + CharBytesAt(row, q));
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

std::int64_t RunWords(const RowList& rows, TextWriter& out, PercentReporter& reporter) {
    std::int64_t words = 0;
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view s = chars::Trim(rows[i]);
        while (!s.empty()) {
            // Only a space separates words; tabs and other control characters stay inside.
            const void* sp = std::memchr(s.data(), ' ', s.size());
            if (sp == nullptr) {
                out.writeLine(s);
                s = {};
            } else {
                std::size_t at = static_cast<std::size_t>(static_cast<const char*>(sp) - s.data());
                out.writeLine(s.substr(0, at));
                s = chars::Trim(s.substr(at));
            }
            ++words;
            reporter.row(static_cast<std::int64_t>(i));
        }
    }
    return words;
}

}  // namespace

DialogOutcome RunExtract(const RowList& rows, const ExtractSettings& s, const std::string& resultsFile,
                         Progress& progress) {
    DialogOutcome outcome;
    progress.start(kTextProcessing);
    TextWriter out(resultsFile);
    PercentReporter reporter(progress, kPrefixProcessing, InputLineCount);
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
                if (matched) out.writeLine(result);
            } else if (!matched) {
                out.writeLine(row);
            } else {
                continue;  // a rejected row of the opposite pass has no progress update
            }
            reporter.row(static_cast<std::int64_t>(i));
        }
    }
    out.close();
    progress.end();
    return outcome;
}

}  // namespace rs
