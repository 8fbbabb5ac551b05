#include "core/filetools/SplitLogic.h"

#include "core/platform/FileError.h"
#include "core/platform/Overwrite.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace rs;
using rs::test::ReadBytes;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

struct SplitRun {
    SplitResult result;
    std::vector<std::string> messages;
};

SplitRun Split(const std::string& input, std::int32_t from, std::int32_t to, bool keyInName = true) {
    SplitRun r;
    SplitSettings s{input, from, to, keyInName};
    r.result = SplitFile(s, [&](const std::string& m) { r.messages.push_back(m); });
    return r;
}

// Names of the files in the folder other than the input, sorted.
std::vector<std::string> Outputs(const TempDir& dir, const std::string& input) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir.path()))
        if (e.path().filename() != input) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(Split, ChecksInOrder) {
    EXPECT_NE(ValidateSplit({"", 3, 1, true}).value_or("").find("Use the \"Select\" button"),
              std::string::npos);
    EXPECT_EQ(ValidateSplit({"/x", 3, 1, true}),
              "Your starting position cannot be larger then your ending position.");
    EXPECT_EQ(ValidateSplit({"/x", 3, 3, true}), std::nullopt);
}

TEST(Split, NamesTakeFolderAndExtension) {
    EXPECT_EQ(SplitFolderOf("/data/list.txt"), "/data/");
    EXPECT_EQ(SplitFolderOf("list.txt"), "");
    EXPECT_EQ(SplitExtensionOf("/data/list.tar.gz"), ".gz");
    EXPECT_EQ(SplitExtensionOf("/da.ta/list"), "");
    const std::string key = "AB";
    EXPECT_EQ(SplitOutputName("/d/", 12, &key, ".txt"), "/d/File12 AB.txt");
    EXPECT_EQ(SplitOutputName("/d/", 1, nullptr, ""), "/d/File1");
    const std::string escaping = std::string("../x\0", 5);
    EXPECT_EQ(SplitOutputName("/d/", 1, &escaping, ".txt"), "/d/File1 .._x_.txt");
}

TEST(Split, StartsAFileAtEveryChangeOfKey) {
    TempDir dir;
    WriteBytes(dir.file("list.txt"), "AA1\nAA2\n \t\nBB1\r\nAA3");
    auto r = Split(dir.file("list.txt"), 1, 2);
    EXPECT_EQ(Outputs(dir, "list.txt"),
              (std::vector<std::string>{"File1 AA.txt", "File2 BB.txt", "File3 AA.txt"}));
    EXPECT_EQ(ReadBytes(dir.file("File1 AA.txt")), "AA1\r\nAA2\r\n");
    EXPECT_EQ(ReadBytes(dir.file("File2 BB.txt")), "BB1\r\n");
    EXPECT_EQ(ReadBytes(dir.file("File3 AA.txt")), "AA3\r\n");
    EXPECT_EQ(r.result.folder, dir.path() + "/");
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(
        SplitSummary(r.result.counts),
        "Total Lines Read: 5    Total Files Written: 3    Total rows written: 4     Total rows skipped: 1");
}

TEST(Split, KeysCompareExactlyAndCountCharacters) {
    TempDir dir;
    // "é" is two bytes: positions 2 to 3 are "éb" in the first row and "Eb" in the second.
    WriteBytes(dir.file("in"),
               "x\xC3\xA9"
               "b1\nxEb2\nxeb3\nxeb4\n");
    auto r = Split(dir.file("in"), 2, 3);
    EXPECT_EQ(Outputs(dir, "in"), (std::vector<std::string>{"File1 \xC3\xA9"
                                                            "b",
                                                            "File2 Eb", "File3 eb"}));
    EXPECT_EQ(ReadBytes(dir.file("File3 eb")), "xeb3\r\nxeb4\r\n");
    EXPECT_EQ(r.result.counts.filesWritten, 3);
}

TEST(Split, OneCharacterKeyWithoutNames) {
    TempDir dir;
    WriteBytes(dir.file("in.csv"), "a1\na2\nb1\n");
    Split(dir.file("in.csv"), 1, 1, false);
    EXPECT_EQ(Outputs(dir, "in.csv"), (std::vector<std::string>{"File1.csv", "File2.csv"}));
}

TEST(Split, ShortRowStopsTheRunInOrder) {
    TempDir dir;
    struct Case {
        std::string input;
        std::int64_t stopLine;
        SplitCounts counts;
        std::vector<std::string> files;
    } cases[] = {
        // Blank rows before it count in the row number; a row of spaces is blank, not short.
        {"\n       \nab\nabcd\n", 3, {3, 0, 0, 3}, {}},
        {"abcd\nabce\nxy\nzzzz\n", 3, {3, 1, 2, 1}, {"File1 abc"}},
    };
    for (const auto& c : cases) {
        TempDir d;
        WriteBytes(d.file("in"), c.input);
        auto r = Split(d.file("in"), 1, 3);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(
            r.messages[0],
            "A row was read that had a length smaller then the ending position you selected. This cannot be processed so the program will stop. The row number was: " +
                std::to_string(c.stopLine));
        EXPECT_TRUE(r.result.stoppedEarly);
        EXPECT_EQ(r.result.counts.linesRead, c.counts.linesRead);
        EXPECT_EQ(r.result.counts.filesWritten, c.counts.filesWritten);
        EXPECT_EQ(r.result.counts.rowsWritten, c.counts.rowsWritten);
        EXPECT_EQ(r.result.counts.rowsSkipped, c.counts.rowsSkipped);
        EXPECT_EQ(Outputs(d, "in"), c.files);
    }
}

TEST(Split, EmptyInputWritesNothing) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "");
    auto r = Split(dir.file("in.txt"), 1, 5);
    EXPECT_TRUE(Outputs(dir, "in.txt").empty());
    EXPECT_EQ(
        SplitSummary(r.result.counts),
        "Total Lines Read: 0    Total Files Written: 0    Total rows written: 0     Total rows skipped: 0");
}

TEST(Split, ExistingOutputPausesThenIsReplaced) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "aa\n");
    WriteBytes(dir.file("File1 aa.txt"), "old\n");
    auto r = Split(dir.file("in.txt"), 1, 2);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(
        r.messages[0],
        "File already exists, program paused so you can remove the following file. Remove the file then click ok to continue. The file that already exists is: " +
            dir.file("File1 aa.txt"));
    EXPECT_EQ(ReadBytes(dir.file("File1 aa.txt")), "aa\r\n");
}

TEST(Split, NeverWritesOverTheInput) {
    TempDir dir;
    // The input is named like the second output: it is refused before it is touched.
    WriteBytes(dir.file("File2.txt"), "aa\nbb\ncc\n");
    auto r = Split(dir.file("File2.txt"), 1, 2, false);
    EXPECT_EQ(ReadBytes(dir.file("File2.txt")), "aa\nbb\ncc\n");
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], OverwriteRefusalText(dir.file("File2.txt")));
    EXPECT_EQ(ReadBytes(dir.file("File1.txt")), "aa\r\n");
    EXPECT_EQ(r.result.counts.filesWritten, 1);
    EXPECT_EQ(r.result.counts.linesRead, r.result.counts.rowsWritten + r.result.counts.rowsSkipped);
}

TEST(Split, AnOutputNameThatIsALinkIsReplacedNotWrittenThrough) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "aa\n");
    WriteBytes(dir.file("keep.txt"), "keep\n");
    std::filesystem::create_symlink(dir.file("keep.txt"), dir.file("File1 aa.txt"));
    auto r = Split(dir.file("in.txt"), 1, 2);
    EXPECT_EQ(r.messages.size(), 1u);  // the "already exists" pause
    EXPECT_EQ(ReadBytes(dir.file("keep.txt")), "keep\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("File1 aa.txt")));
    EXPECT_EQ(ReadBytes(dir.file("File1 aa.txt")), "aa\r\n");
}

TEST(Split, KeyWithSlashStaysInTheFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    WriteBytes(dir.file("sub/in.txt"), "../x row\n");
    Split(dir.file("sub/in.txt"), 1, 4);
    EXPECT_EQ(ReadBytes(dir.file("sub/File1 .._x.txt")), "../x row\r\n");
    EXPECT_EQ(Outputs(dir, "sub"), std::vector<std::string>{});
}

TEST(Split, OutputThatIsAFolderFails) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "aa\nbb\n");
    std::filesystem::create_directory(dir.file("File2 bb.txt"));
    EXPECT_THROW(Split(dir.file("in.txt"), 1, 2), FileError);
    EXPECT_EQ(ReadBytes(dir.file("File1 aa.txt")), "aa\r\n");
}
