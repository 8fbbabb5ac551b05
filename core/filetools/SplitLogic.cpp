#include "core/filetools/SplitLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/Overwrite.h"
#include "core/platform/TextFile.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace rs {

std::optional<std::string> ValidateSplit(const SplitSettings& s) {
    if (s.inputPath.empty())
        return "Use the \"Select\" button to select your file first.  Then when you use the \"Generate\" button, it will create many files based on the file data found between your start and end positions.";
    if (s.startPos > s.endPos) return "Your starting position cannot be larger then your ending position.";
    return std::nullopt;
}

std::string SplitFolderOf(const std::string& path) {
    auto p = path.rfind('/');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string SplitExtensionOf(const std::string& path) {
    std::string name = path.substr(SplitFolderOf(path).size());
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string SplitOutputName(const std::string& folder, std::int64_t number, const std::string* key,
                            const std::string& extension) {
    std::string name = folder + "File" + std::to_string(number);
    if (key) {
        name += ' ';
        for (char c : *key) name += (c == '/' || c == '\0') ? '_' : c;
    }
    return name + extension;
}

SplitResult SplitFile(const SplitSettings& s, const std::function<void(const std::string&)>& notify) {
    SplitResult result;
    if (auto message = ValidateSplit(s)) {
        result.outcome = RunOutcome::Messages({*message});
        return result;
    }
    SplitCounts& c = result.counts;
    result.folder = SplitFolderOf(s.inputPath);
    const std::string extension = SplitExtensionOf(s.inputPath);
    const std::int32_t first = std::max(s.startPos, 1);

    TextReader in(s.inputPath);
    std::unique_ptr<TextWriter> out;
    std::string currentKey;
    std::string_view line;
    while (in.readLine(line)) {
        ++c.linesRead;
        if (chars::IsBlank(line)) {
            ++c.rowsSkipped;
            continue;
        }
        const std::optional<chars::ByteSpan> keySpan = chars::CharSpan(line, first, s.endPos);
        if (!keySpan) {
            notify(
                "A row was read that had a length smaller then the ending position you selected. This cannot be processed so the program will stop. The row number was: " +
                std::to_string(c.linesRead));
            ++c.rowsSkipped;
            result.stoppedEarly = true;
            break;
        }
        const std::string_view key = keySpan->of(line);
        if (!out || key != currentKey) {
            currentKey.assign(key);
            const std::string name = SplitOutputName(result.folder, c.filesWritten + 1,
                                                     s.keyInName ? &currentKey : nullptr, extension);
            // An input that is itself named like an output (or linked to from one) would be lost.
            const bool exists = FileExists(name);
            if (exists && IsOneOf(name, {s.inputPath})) {
                notify(OverwriteRefusalText(name));
                ++c.rowsSkipped;
                result.stoppedEarly = true;
                break;
            }
            ++c.filesWritten;
            if (out) out->close();
            out.reset();
            if (exists)
                notify(
                    "File already exists, program paused so you can remove the following file. Remove the file then click ok to continue. The file that already exists is: " +
                    name);
            out = std::make_unique<TextWriter>(name);
        }
        out->writeLine(line);
        ++c.rowsWritten;
    }
    in.close();
    if (out) out->close();
    result.outcome = RunOutcome::OpenFolder(result.folder, {SplitSummary(c)});
    return result;
}

std::string SplitSummary(const SplitCounts& c) {
    return "Total Lines Read: " + std::to_string(c.linesRead) +
           "    Total Files Written: " + std::to_string(c.filesWritten) +
           "    Total rows written: " + std::to_string(c.rowsWritten) +
           "     Total rows skipped: " + std::to_string(c.rowsSkipped);
}

}  // namespace rs
