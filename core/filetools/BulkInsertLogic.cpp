#include "core/filetools/BulkInsertLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/DirSearch.h"
#include "core/platform/FileStamp.h"
#include "core/platform/Folders.h"
#include "core/platform/TextFile.h"
#include "core/workbench/MemoRows.h"

#include <algorithm>
#include <set>

namespace rs {

std::vector<std::string> MemoRowList(std::string_view text) {
    const MemoRows memo{std::string(text)};
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(memo.count()));
    for (std::int32_t i = 0; i < memo.count(); ++i) rows.emplace_back(memo[static_cast<std::size_t>(i)]);
    return rows;
}

std::optional<std::string> ValidateBulkInsert(const BulkInsertSettings& s) {
    if (s.key.empty())
        return "Your key string cannot be empty. This is the text that will be searched for as the \"key\" to enter data before or after.";
    if (s.dataText.empty())
        return "Your \"data to insert\" cannot be empty. This is the lines of text that will be inserted into each file.";
    if (!s.before && !s.after)
        return "You must check either the before or after checkbox. This tells whether to insert text before the key line, after the key line, or both before and after the key line found.";
    return std::nullopt;
}

std::string BulkInsertMask(const std::string& extension) {
    if (chars::Trim(extension).empty()) return "*.*";
    return "*." + extension;
}

void BulkInsertOneFile(const std::string& inPath, const std::string& outPath, const std::string& key,
                       bool before, bool after, const std::vector<std::string>& dataRows,
                       BulkInsertCounts& counts) {
    // The data rows go out as one block of ready-made lines.
    std::string block;
    for (const auto& r : dataRows) {
        block += r;
        block += "\r\n";
    }
    const auto rows = static_cast<std::int64_t>(dataRows.size());

    TextReader in(inPath);
    TextWriter out(outPath);
    std::string_view line;
    while (in.readLine(line)) {
        const bool isKeyLine = line.find(key) != std::string_view::npos;
        if (isKeyLine && before) {
            out.write(block);
            counts.BeforeCount += rows;
        }
        out.writeLine(line);
        if (isKeyLine && after) {
            out.write(block);
            counts.AfterCount += rows;
        }
    }
    in.close();
    out.close();
}

BulkInsertResult BulkInsertFolder(const std::string& folder, const std::string& mask,
                                  const std::string& workFolder, const BulkInsertSettings& s,
                                  Progress& progress) {
    BulkInsertResult result;
    std::vector<std::string>& messages = result.outcome.messages;
    if (auto message = ValidateBulkInsert(s)) {
        messages.push_back(*message);
        return result;
    }
    const std::vector<std::string> entries = FindEntries(folder, mask);
    // The platform's search also returns "." and ".." where the mask matches them: such a
    // folder counts as searched, even though they are never copied.
    const bool dotsFound = FolderExists(folder) && (WildcardMatch(mask, ".") || WildcardMatch(mask, ".."));
    if (entries.empty() && !dotsFound) {
        messages.emplace_back(kBulkNothingFound);
        return result;
    }

    progress.start(kTextProcessing);
    const std::vector<std::string> dataRows = MemoRowList(s.dataText);
    // A copy of one entry may land on another entry of the listing ("a.txt" writes
    // "new_a.txt"): that entry is left out, so no run reads what it has just written. Each copy
    // is a new file put in its name's place, so a link of that name is replaced, never written
    // through, and an entry that reaches a copy of this run through a link is left out too.
    const std::set<std::string> names(entries.begin(), entries.end());
    const bool copiesBeside = SameFile(folder, workFolder);
    std::vector<FileStamp> written;
    std::vector<std::string> special;
    auto isWritten = [&written](const std::string& path) {
        FileStamp id;
        if (!StampOf(path, id)) return false;
        return std::any_of(written.begin(), written.end(),
                           [&id](const FileStamp& w) { return w.dev == id.dev && w.ino == id.ino; });
    };
    for (const auto& name : entries) {
        const std::string inPath = folder + name;
        const std::string outPath = JoinPath(workFolder, "new_" + name);
        const bool writtenByThisRun =
            copiesBeside && name.starts_with("new_") && names.count(name.substr(4)) > 0;
        if (writtenByThisRun || SameFile(inPath, outPath) || isWritten(inPath)) {
            result.skipped.push_back(name);
            continue;
        }
        // A named pipe or a device would hang the run or never end; a folder still stops it
        // with the file error, as any entry that cannot be read does.
        if (KindOf(inPath) == FileKind::Other) {
            special.push_back(name);
            continue;
        }
        ++result.counts.FilesFound;
        BulkInsertOneFile(inPath, outPath, s.key, s.before, s.after, dataRows, result.counts);
        FileStamp id;
        if (StampOf(outPath, id)) written.push_back(id);
    }
    progress.end();

    if (!result.skipped.empty()) {
        std::string text = "These files were left out, as this run writes its new copies in their place:";
        for (const auto& n : result.skipped) text += "\n" + n;
        messages.push_back(std::move(text));
    }
    if (!special.empty()) {
        std::string text = "These entries were left out, as they are not regular files:";
        for (const auto& n : special) text += "\n" + n;
        messages.push_back(std::move(text));
    }
    messages.push_back(BulkInsertSummary(workFolder, result.counts));
    return result;
}

std::string BulkInsertSummary(const std::string& workFolder, const BulkInsertCounts& c) {
    return "Complete. New files were created in folder: " + workFolder +
           " (Note that your original files are not altered, and new files were created in the folder with your changes added to them. The total files found were: " +
           std::to_string(c.FilesFound) +
           "  The total \"Before\" situations found were: " + std::to_string(c.BeforeCount) +
           "  The total \"After\" situations found were: " + std::to_string(c.AfterCount) + ")";
}

}  // namespace rs
