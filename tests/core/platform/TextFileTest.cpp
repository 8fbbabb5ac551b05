#include "core/platform/TextFile.h"

#include "core/platform/RowList.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>

using namespace rs;
using rs::test::FileSizeLimit;
using rs::test::ReadBytes;
using rs::test::ReaderRows;
using rs::test::TempDir;
using rs::test::WriteBytes;

TEST(TextReader, LineEndRules) {
    TempDir dir;
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\rb\n", {"ab"}},          // a lone CR is dropped
        {"a\r\r\nb\r", {"a", "b"}},  // also before CR LF and at the very end
        {"ab\x1A"
         "cd\nef\n",
         {"ab"}},  // 0x1A ends the input, even mid-line
        {"ab\n\x1A\n", {"ab"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"\xff\xfe"
         "x\n",
         {"\xff\xfe"
          "x"}},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.file("in.txt"), c.bytes);
        EXPECT_EQ(ReaderRows(dir.file("in.txt")), c.lines) << "input: " << c.bytes;
    }
}

TEST(TextReader, LinesAcrossBufferBoundariesAndVeryLongLines) {
    TempDir dir;
    std::string big(10 * 1024 * 1024 + 17, 'x');
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += std::string(500 + i % 7, 'a' + i % 26) + "\r\n";
    bytes += big + "\r\n" + "tail";
    WriteBytes(dir.file("in.txt"), bytes);
    auto lines = ReaderRows(dir.file("in.txt"));
    ASSERT_EQ(lines.size(), 3002u);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(lines[i], std::string(500 + i % 7, 'a' + i % 26)) << i;
    EXPECT_EQ(lines[3000], big);
    EXPECT_EQ(lines[3001], "tail");
}

TEST(TextReader, CrLfSplitAcrossBufferRefill) {
    TempDir dir;
    // The CR as the last byte of one read and the LF as the first of the next, for the
    // buffer sizes the reader has used.
    for (std::size_t chunk : {std::size_t{1} << 18, std::size_t{1} << 20}) {
        std::string first(chunk - 1, 'q');
        WriteBytes(dir.file("in.txt"), first + "\r\nnext\r\n");
        auto lines = ReaderRows(dir.file("in.txt"));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], first);
        EXPECT_EQ(lines[1], "next");
    }
}

TEST(TextFiles, ErrorsNameTheFileAndReason) {
    TempDir dir;
    try {
        TextReader r(dir.file("missing.txt"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), dir.file("missing.txt"));
        EXPECT_NE(e.reason().find("No such file"), std::string::npos);
    }
    EXPECT_THROW(TextReader r(dir.path()), FileError);
    EXPECT_THROW(TextWriter w(dir.file("no/such/folder.txt")), FileError);

    std::string longName = dir.path() + "/" + std::string(260, 'n');
    EXPECT_THROW(TextWriter w(longName), FileError);
    EXPECT_THROW(TextReader r(longName), FileError);
}

TEST(TextWriter, EndsEveryLineWithCrLfAndKeepsBytes) {
    TempDir dir;
    {
        TextWriter w(dir.file("out.txt"));
        w.writeLine("one");
        w.writeLine("");
        w.writeLine(std::string_view());  // a view without data
        w.write(std::string_view());
        w.write("tw");
        w.write("o\xff");
        w.endLine();
        w.writeLine(std::string(3 << 20, 'z'));  // larger than the buffer
        w.close();
    }
    EXPECT_EQ(ReadBytes(dir.file("out.txt")),
              "one\r\n\r\n\r\ntwo\xff\r\n" + std::string(3 << 20, 'z') + "\r\n");
}

TEST(TextWriter, ReplacesWhatStandsAtTheNameAndNeverWritesThroughALink) {
    TempDir dir;
    const std::string input = dir.file("input.txt");
    WriteBytes(input, "precious\n");
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0700), 0);
    ASSERT_EQ(::symlink(dir.file("real").c_str(), dir.file("work").c_str()), 0);
    // A work folder that is itself a link keeps working.
    const std::string out = dir.file("work/Results.txt");
    auto writeNew = [&] {
        TextWriter w(out);
        w.writeLine("new");
        w.close();
        struct stat st {};
        ASSERT_EQ(::lstat(out.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(ReadBytes(out), "new\r\n");
        EXPECT_EQ(ReadBytes(input), "precious\n");
        ::unlink(out.c_str());
    };
    WriteBytes(out, "old content that is long\r\n");
    writeNew();
    ASSERT_EQ(::symlink(input.c_str(), out.c_str()), 0);
    writeNew();
    ASSERT_EQ(::link(input.c_str(), out.c_str()), 0);
    writeNew();
}

TEST(TextWriter, AWriterNeverClosedLeavesTheNameAsItWas) {
    TempDir dir;
    WriteBytes(dir.file("out.txt"), "old\n");
    {
        TextWriter w(dir.file("out.txt"));
        w.writeLine(std::string(1 << 20, 'x'));
    }
    EXPECT_EQ(ReadBytes(dir.file("out.txt")), "old\n");
    // Nothing of the abandoned file is left beside it.
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, 1);
}

TEST(TextWriter, AFailedWriteIsAFileError) {
    TempDir dir;
    FileSizeLimit limit(1000);
    TextWriter w(dir.file("big.txt"));
    w.writeLine(std::string(5000, 'x'));
    EXPECT_THROW(w.close(), FileError);
}

TEST(TextFiles, APipeOrDeviceIsRefusedAtOnceInsteadOfWaitedOn) {
    TempDir dir;
    const std::string pipe = dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, std::string("/dev/zero")}) {
        try {
            TextReader r(path);
            ADD_FAILURE() << path;
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_EQ(e.reason(), "It is not a regular file");
        }
        RowList rows;
        EXPECT_THROW(rows.loadFile(path), FileError);
        EXPECT_THROW(TextWriter w(path), FileError);
    }
}

TEST(SameFile, RecognisesOneFileUnderTwoNames) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "x");
    WriteBytes(dir.file("b.txt"), "x");
    EXPECT_TRUE(SameFile(dir.file("a.txt"), dir.path() + "/./a.txt"));
    EXPECT_FALSE(SameFile(dir.file("a.txt"), dir.file("b.txt")));
    EXPECT_FALSE(SameFile(dir.file("a.txt"), dir.file("missing.txt")));
}
