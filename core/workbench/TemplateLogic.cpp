#include "core/workbench/TemplateLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Parallel.h"
#include "core/platform/TextFile.h"

#include <algorithm>
#include <string_view>

namespace rs {

namespace {

// Every non-overlapping occurrence of key, left to right, replaced by filler; the inserted
// text is not searched again. The search is byte-exact, which on UTF-8 text finds exactly
// the character-wise matches.
void ReplaceEvery(std::string_view in, std::string_view key, std::string_view filler, std::string& out) {
    out.clear();
    std::size_t from = 0;
    for (std::size_t at; !key.empty() && (at = in.find(key, from)) != std::string_view::npos;
         from = at + key.size()) {
        out.append(in.substr(from, at - from));
        out.append(filler);
    }
    out.append(in.substr(from));
}

}  // namespace

std::optional<std::string> ValidateTemplate(const TemplateSettings& s) {
    const bool keyBlank1 = chars::IsBlank(s.key1);
    const bool keyBlank2 = chars::IsBlank(s.key2);
    const bool keyBlank3 = chars::IsBlank(s.key3);
    if (s.templateRows.empty()) return kTemplateNoTemplate;
    if (s.filler1.empty()) return kTemplateNoFiller;
    if (keyBlank1) return kTemplateNoKey;
    if (!s.filler2.empty() && s.filler2.count() != s.filler1.count()) return kTemplateCountsDiffer;
    if (!s.filler3.empty() && s.filler3.count() != s.filler1.count()) return kTemplateCountsDiffer;
    if (s.filler2.empty() != keyBlank2) return kTemplateKeyFillerPair;
    if (s.filler3.empty() != keyBlank3) return kTemplateKeyFillerPair;
    return std::nullopt;
}

std::int64_t WriteTemplateCopies(const TemplateSettings& s, TextWriter& out) {
    const bool pair2 = !s.filler2.empty();
    const bool pair3 = !s.filler3.empty();
    const auto rows = static_cast<std::size_t>(s.filler1.count());
    // The copies for stretches of filler rows are made side by side.
    constexpr std::size_t kPart = 4096;
    WriteParts(out, (rows + kPart - 1) / kPart, [&](std::size_t part, std::string& text) {
        std::string a, b;  // reused for every line: no allocation per line once they have grown
        for (std::size_t r = part * kPart; r < std::min(rows, (part + 1) * kPart); ++r) {
            const std::string_view f1 = s.filler1[r];
            const std::string_view f2 = pair2 ? s.filler2[r] : std::string_view();
            const std::string_view f3 = pair3 ? s.filler3[r] : std::string_view();
            for (std::int32_t t = 0; t < s.templateRows.count(); ++t) {
                ReplaceEvery(s.templateRows[static_cast<std::size_t>(t)], s.key1, f1, a);
                std::string* line = &a;
                if (pair2) {
                    ReplaceEvery(*line, s.key2, f2, b);
                    line = &b;
                }
                if (pair3) {
                    std::string& next = line == &a ? b : a;
                    ReplaceEvery(*line, s.key3, f3, next);
                    line = &next;
                }
                AppendLine(text, *line);
            }
        }
    });
    return static_cast<std::int64_t>(rows) * s.templateRows.count();
}

RunOutcome RunTemplate(const TemplateSettings& s, const std::string& resultsFile, Progress& progress) {
    if (auto message = ValidateTemplate(s)) return RunOutcome::Messages({*message});
    progress.start(kTextProcessing);
    TextWriter out(resultsFile);
    WriteTemplateCopies(s, out);
    out.close();
    progress.end();
    return RunOutcome::Publish(resultsFile);
}

}  // namespace rs
