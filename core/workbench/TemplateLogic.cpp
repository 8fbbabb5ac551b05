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

// The expected length of one copy of the template: each key found in it adds the average
// length of its filler rows less its own.
double CopyBytes(const TemplateSettings& s) {
    const std::int32_t width = s.templateRows.count();
    double bytes = 0;
    for (std::int32_t t = 0; t < width; ++t)
        bytes += static_cast<double>(s.templateRows[static_cast<std::size_t>(t)].size()) + 2;
    auto add = [&](std::string_view key, const MemoRows& filler) {
        if (key.empty() || filler.empty()) return;
        double fillerBytes = 0;
        for (std::int32_t i = 0; i < filler.count(); ++i)
            fillerBytes += static_cast<double>(filler[static_cast<std::size_t>(i)].size());
        const double grows = fillerBytes / filler.count() - static_cast<double>(key.size());
        for (std::int32_t t = 0; t < width; ++t) {
            const std::string_view line = s.templateRows[static_cast<std::size_t>(t)];
            for (std::size_t at = line.find(key); at != std::string_view::npos;
                 at = line.find(key, at + key.size()))
                bytes += grows;
        }
    };
    add(s.key1, s.filler1);
    add(s.key2, s.filler2);
    add(s.key3, s.filler3);
    return bytes;
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
    const auto width = static_cast<std::size_t>(s.templateRows.count());
    // The lines of all copies, filler row by template line, are cut into parts of about the same
    // size made side by side: a part may hold a few lines of one copy or many copies.
    const std::size_t lines = rows * width;
    const std::size_t perPart = ItemsPerPart(CopyBytes(s), width);
    WriteParts(out, (lines + perPart - 1) / perPart, [&](std::size_t part, PartText& text) {
        std::string a, b;  // reused for every line: no allocation per line once they have grown
        const std::size_t end = std::min(lines, (part + 1) * perPart);
        std::size_t r = part * perPart / width, t = part * perPart % width;
        for (std::size_t i = part * perPart; i < end; ++i) {
            ReplaceEvery(s.templateRows[t], s.key1, s.filler1[r], a);
            std::string* line = &a;
            if (pair2) {
                ReplaceEvery(*line, s.key2, s.filler2[r], b);
                line = &b;
            }
            if (pair3) {
                std::string& next = line == &a ? b : a;
                ReplaceEvery(*line, s.key3, s.filler3[r], next);
                line = &next;
            }
            text.line(*line);
            if (++t == width) {
                t = 0;
                ++r;
            }
        }
    });
    return static_cast<std::int64_t>(lines);
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
