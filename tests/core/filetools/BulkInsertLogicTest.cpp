#include "core/filetools/BulkInsertLogic.h"

#include "core/platform/FileError.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace rs;
using rs::test::ReadBytes;
using rs::test::RecordingProgress;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

BulkInsertSettings Settings(std::string key, bool before, bool after, std::string data,
                            std::string ext = "") {
    BulkInsertSettings s;
    s.key = std::move(key);
    s.before = before;
    s.after = after;
    s.dataText = std::move(data);
    s.extension = std::move(ext);
    return s;
}

BulkInsertResult RunIn(const TempDir& dir, const BulkInsertSettings& s,
                       RecordingProgress* progress = nullptr) {
    RecordingProgress local;
    return BulkInsertFolder(dir.path() + "/", BulkInsertMask(s.extension), dir.path(), s,
                            progress ? *progress : local);
}

}  // namespace

TEST(BulkInsert, MemoRowsDropOnlyTheEmptyLastLine) {
    struct Case {
        std::string text;
        std::vector<std::string> rows;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"X\nY", {"X", "Y"}},
        {"X\nY\n", {"X", "Y"}},
        {"X\n\nY\n\n", {"X", "", "Y", ""}},
        {"X\r\nY\r\n", {"X", "Y"}},
    };
    for (const auto& c : cases) EXPECT_EQ(MemoRowList(c.text), c.rows) << c.text;
}

TEST(BulkInsert, ChecksInOrder) {
    auto check = [](const BulkInsertSettings& s) { return ValidateBulkInsert(s).value_or(""); };
    EXPECT_NE(check(Settings("", false, false, "")).find("key string cannot be empty"), std::string::npos);
    EXPECT_NE(check(Settings(" ", false, false, "")).find("\"data to insert\" cannot be empty"),
              std::string::npos);
    EXPECT_NE(check(Settings(" ", false, false, "\n")).find("before or after checkbox"), std::string::npos);
    EXPECT_EQ(ValidateBulkInsert(Settings(" ", false, true, "\n")), std::nullopt);
}

TEST(BulkInsert, MaskKeepsTheExtensionAsTyped) {
    EXPECT_EQ(BulkInsertMask(""), "*.*");
    EXPECT_EQ(BulkInsertMask("  \t"), "*.*");
    EXPECT_EQ(BulkInsertMask("txt"), "*.txt");
    EXPECT_EQ(BulkInsertMask(" txt"), "*. txt");
}

TEST(BulkInsert, InsertsAroundKeyLinesOnly) {
    TempDir dir;
    struct Case {
        const char* name;
        bool before, after;
        std::string input;
        std::string data;
        std::string copy;
        std::int64_t beforeCount, afterCount;
    } cases[] = {
        {"both", true, true, "a\nKEY b\nc\n", "X\nY", "a\r\nX\r\nY\r\nKEY b\r\nX\r\nY\r\nc\r\n", 2, 2},
        {"after only", false, true, "KEY\nKEY KEY\n", "X\n", "KEY\r\nX\r\nKEY KEY\r\nX\r\n", 0, 2},
        {"no key line, no final line end", true, true, "a\r\nb", "X", "a\r\nb\r\n", 0, 0},
        {"empty input", true, true, "", "X", "", 0, 0},
        {"case counts", true, false, "key\n", "X", "key\r\n", 0, 0},
        {"a data row holding the key", false, true, "KEY\n", "KEY", "KEY\r\nKEY\r\n", 0, 1},
        {"data box of one line break", true, false, "KEY\n", "\n", "\r\nKEY\r\n", 1, 0},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.file("in.txt"), c.input);
        BulkInsertCounts counts;
        BulkInsertOneFile(dir.file("in.txt"), dir.file("out.txt"), "KEY", c.before, c.after,
                          MemoRowList(c.data), counts);
        EXPECT_EQ(ReadBytes(dir.file("out.txt")), c.copy) << c.name;
        EXPECT_EQ(counts.BeforeCount, c.beforeCount) << c.name;
        EXPECT_EQ(counts.AfterCount, c.afterCount) << c.name;
    }
}

TEST(BulkInsert, FolderRunCountsEveryFileAndRow) {
    TempDir dir;
    WriteBytes(dir.file("one.txt"), "KEY 1\nx\nKEY 2\n");
    WriteBytes(dir.file("two.TXT"), "KEY\n");
    WriteBytes(dir.file("skip.csv"), "KEY\n");
    RecordingProgress progress;
    auto out = RunIn(dir, Settings("KEY", true, true, "A\nB\nC\n", "txt"), &progress);
    EXPECT_EQ(out.counts.FilesFound, 2);
    EXPECT_EQ(out.counts.BeforeCount, 9);
    EXPECT_EQ(out.counts.AfterCount, 9);
    EXPECT_TRUE(std::filesystem::exists(dir.file("new_two.TXT")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_skip.csv")));
    EXPECT_EQ(ReadBytes(dir.file("one.txt")), "KEY 1\nx\nKEY 2\n");  // the original is untouched
    EXPECT_EQ(progress.shown(), (std::vector<std::string>{rs::test::kStartProcessing, "end"}));
    ASSERT_EQ(out.outcome.messages.size(), 1u);
    EXPECT_EQ(
        out.outcome.messages[0],
        "Complete. New files were created in folder: " + dir.path() +
            " (Note that your original files are not altered, and new files were created in the folder with your changes added to them. The total files found were: 2  The total \"Before\" situations found were: 9  The total \"After\" situations found were: 9)");
}

TEST(BulkInsert, NothingFoundShowsNoProgress) {
    TempDir dir;
    WriteBytes(dir.file("a.csv"), "x\n");
    RecordingProgress progress;
    auto out = RunIn(dir, Settings("K", true, false, "X", "txt"), &progress);
    EXPECT_EQ(out.outcome.messages, std::vector<std::string>{kBulkNothingFound});
    EXPECT_TRUE(progress.shown().empty());

    // A missing folder is reported the same way.
    auto missing = BulkInsertFolder(dir.file("none") + "/", "*.*", dir.path(),
                                    Settings("K", true, false, "X"), progress);
    EXPECT_EQ(missing.outcome.messages, std::vector<std::string>{kBulkNothingFound});
}

TEST(BulkInsert, EmptyFolderWithEveryNameMaskReportsZero) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("work"));
    RecordingProgress progress;
    auto out = BulkInsertFolder(dir.file("work") + "/", "*.*", dir.file("work"),
                                Settings("K", true, false, "X"), progress);
    EXPECT_EQ(out.counts.FilesFound, 0);
    ASSERT_EQ(out.outcome.messages.size(), 1u);
    EXPECT_NE(out.outcome.messages[0].find("files found were: 0 "), std::string::npos);
    EXPECT_EQ(progress.shown().size(), 2u);
}

TEST(BulkInsert, NeverTakesTheCopiesItWrites) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "KEY\n");
    WriteBytes(dir.file("new_a.txt"), "an earlier copy\n");
    WriteBytes(dir.file("new_b.txt"), "KEY\n");  // a copy whose original is gone: an input like any other
    auto out = RunIn(dir, Settings("KEY", false, true, "X"));
    EXPECT_EQ(out.counts.FilesFound, 2);
    EXPECT_EQ(out.skipped, std::vector<std::string>{"new_a.txt"});
    EXPECT_EQ(ReadBytes(dir.file("new_a.txt")), "KEY\r\nX\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_new_a.txt")));
    EXPECT_EQ(ReadBytes(dir.file("new_new_b.txt")), "KEY\r\nX\r\n");
    ASSERT_EQ(out.outcome.messages.size(), 2u);
    EXPECT_NE(out.outcome.messages[0].find("new_a.txt"), std::string::npos);

    // A second run replaces its copies rather than copying them again.
    auto again = RunIn(dir, Settings("KEY", false, true, "X"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_new_new_b.txt")));
    EXPECT_EQ(again.counts.FilesFound, 2);
}

TEST(BulkInsert, ALinkNamedLikeACopyIsReplacedNeverWrittenThrough) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "a KEY\n");
    WriteBytes(dir.file("b.txt"), "b\n");
    std::filesystem::create_symlink(dir.file("a.txt"), dir.file("new_b.txt"));
    // An entry that reaches one of this run's copies through a link is not read either.
    std::filesystem::create_symlink(dir.file("new_a.txt"), dir.file("c.txt"));
    auto out = RunIn(dir, Settings("KEY", false, true, "X"));
    EXPECT_EQ(ReadBytes(dir.file("a.txt")), "a KEY\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("new_b.txt")));
    EXPECT_EQ(ReadBytes(dir.file("new_b.txt")), "b\r\n");
    EXPECT_EQ(ReadBytes(dir.file("new_a.txt")), "a KEY\r\nX\r\n");
    EXPECT_EQ(out.skipped, (std::vector<std::string>{"c.txt", "new_b.txt"}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_c.txt")));
    EXPECT_EQ(out.counts.FilesFound, 2);
}

TEST(BulkInsert, APipeOrDeviceIsLeftOutInsteadOfHangingTheRun) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "KEY\n");
    ASSERT_EQ(::mkfifo(dir.file("p.txt").c_str(), 0600), 0);
    auto out = RunIn(dir, Settings("KEY", false, true, "X"));
    EXPECT_EQ(out.counts.FilesFound, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_p.txt")));
    ASSERT_EQ(out.outcome.messages.size(), 2u);
    EXPECT_EQ(out.outcome.messages[0], "These entries were left out, as they are not regular files:\np.txt");
}

TEST(BulkInsert, CopyThatIsTheInputIsLeftOut) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("in"));
    WriteBytes(dir.file("in/a.txt"), "KEY\n");
    ASSERT_EQ(::link(dir.file("in/a.txt").c_str(), dir.file("new_a.txt").c_str()), 0);
    RecordingProgress progress;
    auto out =
        BulkInsertFolder(dir.file("in") + "/", "*.*", dir.path(), Settings("KEY", true, true, "X"), progress);
    EXPECT_EQ(out.skipped, std::vector<std::string>{"a.txt"});
    EXPECT_EQ(ReadBytes(dir.file("in/a.txt")), "KEY\n");
}

TEST(BulkInsert, FolderMatchingTheMaskStopsTheRun) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "KEY\n");
    std::filesystem::create_directory(dir.file("b.txt"));
    RecordingProgress progress;
    EXPECT_THROW(RunIn(dir, Settings("KEY", true, true, "X", "txt"), &progress), FileError);
    EXPECT_TRUE(std::filesystem::exists(dir.file("new_a.txt")));  // written before the folder was met
    EXPECT_EQ(progress.shown().size(), 1u);                       // no end: the guard closes the window
}
