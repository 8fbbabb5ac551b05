#include "core/platform/TextFile.h"

#include "core/platform/RowList.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/acl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>

using namespace rs;
using rs::test::Entries;
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

namespace {
// The writers' two ways: an unnamed file, and a named one as where the file system refuses those.
struct WriterWay {
    const char* name;
    bool named;
};
constexpr WriterWay kWays[] = {{"unnamed", false}, {"named", true}};

class NamedTempFiles {
public:
    explicit NamedTempFiles(bool on) { detail::UseNamedTempFiles(on); }
    ~NamedTempFiles() { detail::UseNamedTempFiles(false); }
};

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}
}  // namespace

TEST(TextWriter, AWriterNeverClosedOrKilledLeavesTheFolderAsItWas) {
    for (const WriterWay& way : kWays) {
        SCOPED_TRACE(way.name);
        NamedTempFiles named(way.named);
        TempDir dir;
        const std::string out = dir.file("out.txt");
        WriteBytes(out, "old\n");
        {
            TextWriter w(out);
            w.writeLine(std::string(1 << 20, 'x'));
        }
        auto midWrite = [&](int sig) {
            TextWriter w(out);
            for (int i = 0; i < 64; ++i) w.writeLine(std::string(1 << 16, 'y'));
            ::raise(sig);
        };
        // An unnamed file vanishes whatever ends the process; a named one is removed on the
        // signals that end a program politely.
        const int probe = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
        if (!way.named && probe >= 0) {
            EXPECT_EXIT(midWrite(SIGKILL), testing::KilledBySignal(SIGKILL), "");
        }
        if (probe >= 0) ::close(probe);
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            EXPECT_EXIT(midWrite(sig), testing::KilledBySignal(sig), "");
        EXPECT_EQ(ReadBytes(out), "old\n");
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out.txt"});
    }
}

TEST(TextWriter, KeepsTheModeAndOwnerOfTheFileItReplaces) {
    for (const WriterWay& way : kWays) {
        SCOPED_TRACE(way.name);
        NamedTempFiles named(way.named);
        TempDir dir;
        auto rewrite = [&](const std::string& path) {
            TextWriter w(path);
            w.writeLine("new");
            w.close();
            EXPECT_EQ(ReadBytes(path), "new\r\n");
        };
        const std::string priv = dir.file("private.txt");
        WriteBytes(priv, "old\n");
        ASSERT_EQ(::chmod(priv.c_str(), 0600), 0);
        rewrite(priv);
        EXPECT_EQ(ModeOf(priv), 0600u);

        // A new name gets the mode every new file gets.
        WriteBytes(dir.file("plain.txt"), "");
        rewrite(dir.file("fresh.txt"));
        EXPECT_EQ(ModeOf(dir.file("fresh.txt")), ModeOf(dir.file("plain.txt")));

        // An ACL comes along whole; the mode's group bits, which hold its mask, never become
        // the owning group's rights.
        const std::string shared = dir.file("shared.txt");
        WriteBytes(shared, "old\n");
        const char* kAcl = "user::rw-,user:65534:r--,group::---,mask::r--,other::---";
        acl_t acl = ::acl_from_text(kAcl);
        if (::acl_set_file(shared.c_str(), ACL_TYPE_ACCESS, acl) == 0) {
            rewrite(shared);
            acl_t now = ::acl_get_file(shared.c_str(), ACL_TYPE_ACCESS);
            ASSERT_NE(now, nullptr);
            char* text = ::acl_to_any_text(now, nullptr, ',', TEXT_NUMERIC_IDS);
            EXPECT_STREQ(text, kAcl);
            ::acl_free(text);
            ::acl_free(now);
        }
        ::acl_free(acl);
        std::filesystem::remove(shared);

        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(priv.c_str(), 65534, 65534), 0);
            rewrite(priv);
            struct stat st {};
            ASSERT_EQ(::stat(priv.c_str(), &st), 0);
            EXPECT_EQ(st.st_uid, 65534u);
            EXPECT_EQ(st.st_gid, 65534u);
            EXPECT_EQ(st.st_mode & 07777, 0600u);

            // In a folder whose files take its group, the file keeps its own.
            const std::string setgid = dir.file("setgid");
            ASSERT_EQ(::mkdir(setgid.c_str(), 0775), 0);
            ASSERT_EQ(::chown(setgid.c_str(), 0, 65534), 0);
            ASSERT_EQ(::chmod(setgid.c_str(), 02775), 0);
            const std::string mine = setgid + "/Results.txt";
            WriteBytes(mine, "old\n");
            ASSERT_EQ(::chown(mine.c_str(), 0, 0), 0);
            ASSERT_EQ(::chmod(mine.c_str(), 0640), 0);
            rewrite(mine);
            ASSERT_EQ(::stat(mine.c_str(), &st), 0);
            EXPECT_EQ(st.st_gid, 0u);
            EXPECT_EQ(st.st_mode & 07777, 0640u);
            EXPECT_EQ(Entries(setgid), std::vector<std::string>{"Results.txt"});
            std::filesystem::remove_all(setgid);
        }
        EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"fresh.txt", "plain.txt", "private.txt"}));
    }
}

namespace {
// What stands at a writer's name once it has looked there: a link to, or a copy of, a file anyone
// may write.
struct Swap {
    std::string wide;
    bool byLink = true;
} g_swap;

void SwapName(const std::string& path) {
    ::unlink(path.c_str());
    if (g_swap.byLink) {
        ASSERT_EQ(::symlink(g_swap.wide.c_str(), path.c_str()), 0);
        return;
    }
    WriteBytes(path, "swapped\n");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
}
}  // namespace

TEST(TextWriter, TheAccessIsThatOfTheFileItLookedAtNotOfWhatTheNameLeadsToLater) {
    for (const WriterWay& way : kWays) {
        SCOPED_TRACE(way.name);
        NamedTempFiles named(way.named);
        TempDir dir;
        const std::string out = dir.file("Results.txt");
        g_swap.wide = dir.file("wide.txt");
        WriteBytes(g_swap.wide, "theirs\n");
        ASSERT_EQ(::chmod(g_swap.wide.c_str(), 0666), 0);
        for (bool byLink : {true, false}) {
            g_swap.byLink = byLink;
            WriteBytes(out, "mine\n");
            ASSERT_EQ(::chmod(out.c_str(), 0600), 0);
            detail::SetAfterLookUp(SwapName);
            TextWriter w(out);
            detail::SetAfterLookUp(nullptr);
            w.writeLine("new");
            w.close();
            EXPECT_EQ(ModeOf(out), 0600u) << (byLink ? "link" : "file");
            EXPECT_EQ(ReadBytes(out), "new\r\n");
        }
        EXPECT_EQ(ReadBytes(g_swap.wide), "theirs\n");
    }
}

// A /proc that refuses access (masked by a sandbox or a policy) leaves the descriptor to name an
// unnamed file, or else a named one; either way the write succeeds.
TEST(TextWriter, AProcThatRefusesAccessStillLetsEveryWriteFinish) {
    // Masking /proc takes a mount namespace, and the refusal a user other than root.
    auto maskProc = [] {
        return ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount("tmpfs", "/proc", "tmpfs", 0, "mode=0700") == 0;
    };
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to mask /proc";
    const pid_t probe = ::fork();
    if (probe == 0) std::_Exit(maskProc() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(probe, &status, 0), probe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) GTEST_SKIP() << "no mount namespace here";

    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    auto masked = [&] {
        if (!maskProc() || ::access("/proc/self/fd", F_OK) == 0) std::_Exit(2);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(3);
        for (const WriterWay& way : kWays) {
            detail::UseNamedTempFiles(way.named);
            // A new name, then the same name replaced.
            for (const char* text : {"first", "second"}) {
                try {
                    TextWriter w(dir.file(way.name));
                    w.writeLine(text);
                    w.close();
                } catch (const FileError& e) {
                    std::fprintf(stderr, "%s\n", e.what());
                    std::_Exit(4);
                }
                if (ReadBytes(dir.file(way.name)) != text + std::string("\r\n")) std::_Exit(5);
            }
        }
        std::_Exit(Entries(dir.path()) == std::vector<std::string>{"named", "unnamed"} ? 0 : 6);
    };
    EXPECT_EXIT(masked(), testing::ExitedWithCode(0), "");
}

TEST(TextWriter, RefusesAFileThisUserMayNotWriteButReplacesALink) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string kept = dir.file("Results.txt");
    WriteBytes(kept, "kept\n");
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    ASSERT_EQ(::symlink(kept.c_str(), dir.file("link.txt").c_str()), 0);
    // A file this user may write but whose group is not one of theirs: the group the new file
    // has instead gets none of the old group's rights.
    const std::string theirs = dir.file("theirs.txt");
    const bool root = ::geteuid() == 0;
    if (root) {
        WriteBytes(theirs, "old\n");
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 0), 0);
        ASSERT_EQ(::chmod(theirs.c_str(), 0664), 0);
    }
    // As root every file may be written, so the refusal is tried as another user.
    auto asUser = [&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
        for (const WriterWay& way : kWays) {
            detail::UseNamedTempFiles(way.named);
            try {
                TextWriter w(kept);
                std::_Exit(3);
            } catch (const FileError& e) {
                if (e.reason() != "Permission denied" || e.action() != "Cannot create file") std::_Exit(4);
            }
            TextWriter w(dir.file("link.txt"));
            w.writeLine(way.name);
            w.close();
            if (ReadBytes(kept) != "kept\n" ||
                ReadBytes(dir.file("link.txt")) != way.name + std::string("\r\n"))
                std::_Exit(5);
            if (root) {
                TextWriter t(theirs);
                t.close();
                struct stat st {};
                if (::stat(theirs.c_str(), &st) != 0 || st.st_gid == 0 || (st.st_mode & 0777) != 0604)
                    std::_Exit(7);
            }
        }
        std::_Exit(Entries(dir.path()).size() == (root ? 3u : 2u) ? 0 : 6);
    };
    EXPECT_EXIT(asUser(), testing::ExitedWithCode(0), "");
}

TEST(TextWriter, AWritePastTheSizeLimitIsAFileErrorAndProgramsStartedGetTheDefault) {
    TempDir dir;
    FileSizeLimit limit(1000);
    TextWriter w(dir.file("big.txt"));
    w.writeLine(std::string(5000, 'x'));
    try {
        w.close();
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.reason(), "File too large");
    }
    // A program started from here (the viewer, the file browser) must not inherit an ignored signal.
    FILE* child = ::popen("cat /proc/self/status", "r");
    ASSERT_NE(child, nullptr);
    char line[256];
    unsigned long long ignored = ~0ull;
    while (std::fgets(line, sizeof line, child))
        if (std::sscanf(line, "SigIgn: %llx", &ignored) == 1) break;
    ::pclose(child);
    ASSERT_NE(ignored, ~0ull);
    EXPECT_EQ(ignored & (1ull << (SIGXFSZ - 1)), 0u);
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

TEST(TextFiles, AReadThatWouldWaitIsReportedNotWaitedOn) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "row\n");
    const int fd = OpenForReading(dir.file("in.txt"));
    EXPECT_TRUE(::fcntl(fd, F_GETFL) & O_NONBLOCK);
    ::close(fd);

    // A pipe whose writer stays silent stands for a file whose read would wait.
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_NONBLOCK), 0);
    char buf[16];
    try {
        ReadSome(ends[0], buf, sizeof buf, "/proc/kmsg");
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), "/proc/kmsg");
        EXPECT_EQ(e.reason(), "Reading it would wait for data that may never come");
    }
    ASSERT_EQ(::write(ends[1], "ab", 2), 2);
    EXPECT_EQ(ReadSome(ends[0], buf, sizeof buf, "/proc/kmsg"), 2u);
    ::close(ends[1]);
    EXPECT_EQ(ReadSome(ends[0], buf, sizeof buf, "/proc/kmsg"), 0u);
    ::close(ends[0]);
}
