#include "CompareLogic.h"

#include "platform/Chars.h"
#include "platform/Collation.h"
#include "platform/Dialogs.h"
#include "platform/Overwrite.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstring>

namespace rs {

namespace {

std::uint64_t BigEndian8(const unsigned char* b) {
    std::uint64_t v = 0;
    for (int k = 0; k < 8; ++k) v = (v << 8) | b[k];
    return v;
}

SortedLine MakeEntry(std::string_view s, std::size_t index) {
    unsigned char b[16] = {};
    std::memcpy(b, s.data(), std::min<std::size_t>(16, s.size()));
    return {BigEndian8(b), BigEndian8(b + 8), index};
}

// Byte order of two lines of the same file or of two files; the prefixes decide unless
// they are equal, and rows shorter than 16 bytes padded with zeros still compare whole.
int CompareSorted(const SortedLine& a, std::string_view la, const SortedLine& b, std::string_view lb) {
    if (a.hi != b.hi) return a.hi < b.hi ? -1 : 1;
    if (a.lo != b.lo) return a.lo < b.lo ? -1 : 1;
    return CollateCompare(la, lb);
}

}  // namespace

void LoadFileIntoList(const std::string& path, LoadedFile& into) {
    LoadedFile fresh;
    fresh.ListHidden.loadFile(path);
    const RowList& lines = fresh.ListHidden;

    std::vector<SortedLine>& entries = fresh.ListSorted;
    entries.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (chars::IsBlank(line))
            ++fresh.BlankLines;
        else
            entries.push_back(MakeEntry(line, i));
    }
    std::sort(entries.begin(), entries.end(), [&lines](const SortedLine& a, const SortedLine& b) {
        return CompareSorted(a, lines[a.index], b, lines[b.index]) < 0;
    });
    entries.shrink_to_fit();

    into = std::move(fresh);
}

void FinishRun(const RunOutcome& outcome) {
    for (const std::string& m : outcome.messages) ShowMessage(m);
    if (outcome.publish) PublishResultsFile(outcome.publishPrefix);
}

RunOutcome CompareLoadedFiles(const CompareSettings& settings, const LoadedFile& before,
                              const LoadedFile& after, const std::string& resultsFile, Progress& progress) {
    RunOutcome outcome;
    if (chars::Trim(settings.file1).empty() || chars::Trim(settings.file2).empty()) {
        outcome.messages.push_back(kMsgCompareNoFiles);
        return outcome;
    }
    RefuseOverwrite(resultsFile,
                    {settings.file1, settings.file2, before.ListHidden.source(), after.ListHidden.source()});

    TextWriter out(resultsFile);
    out.writeLine("File Compare Results:");
    out.writeLine("--------------------");
    out.writeLine("Before File: " + settings.file1);
    out.writeLine("After File : " + settings.file2);
    out.writeLine(" ");
    out.writeLine("Line Counts:");
    out.writeLine("-----------");
    out.writeLine("Before File has :" + std::to_string(before.ListHidden.size()) + " lines.");
    out.writeLine("After File has  :" + std::to_string(after.ListHidden.size()) + " lines.");
    out.writeLine("Before File has :" + std::to_string(before.BlankLines) + " blank lines.");
    out.writeLine("After File has  :" + std::to_string(after.BlankLines) + " blank lines.");
    out.writeLine(" ");
    out.writeLine("File Mismatches Found:");
    out.writeLine("----------------------------------------------");

    auto noLongerFound = [&out](std::string_view line) {
        out.writeLine("Before File - Line No Longer Found:");
        out.writeLine(line);
        out.writeLine(" ");
    };
    auto newLine = [&out](std::string_view line) {
        out.writeLine("After File - New Line Found:");
        out.writeLine(line);
        out.writeLine(" ");
    };

    // Both sides are sorted, so one pass pairs each line with its equal on the other side;
    // what is left unpaired is reported in collation order, both kinds interleaved.
    const std::size_t n1 = before.ListSorted.size();
    const std::size_t n2 = after.ListSorted.size();
    std::size_t i = 0, j = 0;
    std::uint32_t steps = 0;
    while (i < n1 && j < n2) {
        if ((++steps & 4095) == 0) progress.pump();
        std::string_view a = before.sortedLine(i);
        std::string_view b = after.sortedLine(j);
        int c = CompareSorted(before.ListSorted[i], a, after.ListSorted[j], b);
        if (c == 0) {
            ++i;
            ++j;
        } else if (c < 0) {
            noLongerFound(a);
            ++i;
        } else {
            newLine(b);
            ++j;
        }
    }
    for (; i < n1; ++i) noLongerFound(before.sortedLine(i));
    for (; j < n2; ++j) newLine(after.sortedLine(j));
    out.close();

    outcome.publish = true;
    outcome.publishPrefix = kPublishCompare;
    return outcome;
}

}  // namespace rs
