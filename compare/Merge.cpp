#include "Merge.h"

#include "platform/Chars.h"
#include "platform/Collation.h"
#include "platform/Overwrite.h"

#include <algorithm>
#include <cstring>

namespace rs {

const char* ValidateMerge(const MergeSettings& s) {
    if (chars::Trim(s.file1).empty() || chars::Trim(s.file2).empty()) return kMsgMergeNoFiles;
    if (s.start1 > s.end1) return kMsgMergeFile1Range;
    if (s.start2 > s.end2) return kMsgMergeFile2Range;
    if (static_cast<std::int64_t>(s.end2) - s.start2 != static_cast<std::int64_t>(s.end1) - s.start1)
        return kMsgMergeLengths;
    return nullptr;
}

namespace {

std::uint64_t BigEndian8(const unsigned char* b) {
    std::uint64_t v = 0;
    for (int k = 0; k < 8; ++k) v = (v << 8) | b[k];
    return v;
}

}  // namespace

int CompareKeys(const KeyedRow& a, const KeyedRow& b) {
    if (a.keyHi != b.keyHi) return a.keyHi < b.keyHi ? -1 : 1;
    if (a.keyLo != b.keyLo) return a.keyLo < b.keyLo ? -1 : 1;
    return CollateCompare(a.key, b.key);
}

std::vector<KeyedRow> BuildKeyedRows(const RowList& lines, std::int32_t start, std::int32_t keyLength) {
    std::vector<KeyedRow> rows;
    rows.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (chars::IsBlank(line)) continue;
        std::string_view key = chars::Copy(line, start, keyLength);
        unsigned char b[16] = {};
        std::memcpy(b, key.data(), std::min<std::size_t>(16, key.size()));
        rows.push_back({key, line, BigEndian8(b), BigEndian8(b + 8)});
    }
    std::sort(rows.begin(), rows.end(), [](const KeyedRow& a, const KeyedRow& b) {
        int c = CompareKeys(a, b);
        return c != 0 ? c < 0 : CollateLess(a.line, b.line);
    });
    return rows;
}

void MergeAdvanceGroup(MergeState& state, std::string_view file, std::string_view key, bool write) {
    const bool first = file == "FILE1";
    const std::vector<KeyedRow>& list = first ? state.ListMerge1 : state.ListMerge2;
    std::size_t& cursor = first ? state.MergeIndex1 : state.MergeIndex2;
    for (;;) {
        ++cursor;
        if (cursor >= list.size()) return;
        const KeyedRow& row = list[cursor];
        if (row.key != key) return;
        if (write) state.MergeOutFile->writeLine(row.line);
    }
}

namespace {

const char* OutputText(MergeOutput o) {
    switch (o) {
        case MergeOutput::Both:
            return "Merge includes lines from BOTH files.";
        case MergeOutput::File1Only:
            return "Merge includes only lines from FILE 1.";
        case MergeOutput::File2Only:
            return "Merge includes only lines from FILE 2.";
    }
    return "";
}

}  // namespace

RunOutcome MergeLoadedFiles(const MergeSettings& s, const RowList& lines1, const RowList& lines2,
                            const std::string& resultsFile) {
    RunOutcome outcome;
    if (const char* msg = ValidateMerge(s)) {
        outcome.messages.push_back(msg);
        return outcome;
    }
    RefuseOverwrite(resultsFile, {s.file1, s.file2, lines1.source(), lines2.source()});

    MergeState st;
    st.MergeKeyLength = s.end1 - s.start1 + 1;
    st.ListMerge1 = BuildKeyedRows(lines1, s.start1, st.MergeKeyLength);
    st.ListMerge2 = BuildKeyedRows(lines2, s.start2, st.MergeKeyLength);

    TextWriter out(resultsFile);
    st.MergeOutFile = &out;
    out.writeLine("Settings Chosen:");
    out.writeLine("----------------");
    out.writeLine("File 1: " + s.file1);
    out.writeLine("File 2: " + s.file2);
    out.writeLine("Merging based on File 1 positions between " + std::to_string(s.start1) + " and " +
                  std::to_string(s.end1));
    out.writeLine("Merging based on File 2 positions between " + std::to_string(s.start2) + " and " +
                  std::to_string(s.end2));
    out.writeLine(OutputText(s.output));
    out.writeLine(s.mode == MergeMode::Match ? "Merge shows lines where data positions MATCH."
                                             : "Merge shows lines where data positions MISMATCH.");
    out.writeLine(" ");
    out.writeLine("Merge Results Below:");
    out.writeLine("--------------------");

    const bool want1 = s.output != MergeOutput::File2Only;
    const bool want2 = s.output != MergeOutput::File1Only;
    const std::size_t n1 = st.ListMerge1.size();
    const std::size_t n2 = st.ListMerge2.size();
    while (st.MergeIndex1 < n1 && st.MergeIndex2 < n2) {
        const KeyedRow& r1 = st.ListMerge1[st.MergeIndex1];
        const KeyedRow& r2 = st.ListMerge2[st.MergeIndex2];
        int c = CompareKeys(r1, r2);
        // Keyless rows sort first on both sides; they are passed one side after the other.
        if (c == 0 && r1.key.empty()) c = -1;
        if (s.mode == MergeMode::Match) {
            if (c != 0) {
                ++(c < 0 ? st.MergeIndex1 : st.MergeIndex2);
                continue;
            }
            // Both files: the first line of each side, then the rest of File 1's group,
            // then the rest of File 2's.
            if (want1) out.writeLine(r1.line);
            if (want2) out.writeLine(r2.line);
            MergeAdvanceGroup(st, "FILE1", r1.key, want1);
            MergeAdvanceGroup(st, "FILE2", r2.key, want2);
        } else if (c == 0) {
            MergeAdvanceGroup(st, "FILE1", r1.key, false);
            MergeAdvanceGroup(st, "FILE2", r2.key, false);
        } else if (c < 0) {
            ++st.MergeIndex1;
            if (want1) out.writeLine(r1.line);
        } else {
            ++st.MergeIndex2;
            if (want2) out.writeLine(r2.line);
        }
    }
    if (s.mode == MergeMode::Mismatch) {
        if (want1)
            for (std::size_t k = st.MergeIndex1; k < n1; ++k) out.writeLine(st.ListMerge1[k].line);
        if (want2)
            for (std::size_t k = st.MergeIndex2; k < n2; ++k) out.writeLine(st.ListMerge2[k].line);
    }
    out.close();

    outcome.publish = true;
    outcome.publishPrefix = kPublishChanges;
    return outcome;
}

}  // namespace rs
