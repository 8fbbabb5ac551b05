#include "core/platform/RowList.h"

#include "core/platform/FileError.h"
#include "core/platform/TextFile.h"
#include "tests/support/Doubles.h"
#include "tests/support/Reference.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <random>
#include <thread>

using namespace rs;
using rs::test::ListRows;
using rs::test::ReaderRows;
using rs::test::ReferenceRows;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

// A load and a reader that are given a digester take every byte of the file, those before the
// rows' CRs were dropped and those after a 0x1A included.
void ExpectDigestsOfTheWholeFile(const std::string& path, const std::string& text) {
    Digester whole, loaded, streamed;
    whole.add(text);
    RowList list;
    list.loadFile(path, {}, &loaded);
    TextReader in(path, &streamed);
    std::string_view line;
    while (in.readLine(line)) {
    }
    in.close();
    EXPECT_EQ(loaded.digest(), whole.digest()) << text.size();
    EXPECT_EQ(streamed.digest(), whole.digest()) << text.size();
}

std::size_t TotalBytes(const std::vector<std::string>& rows) {
    std::size_t n = 0;
    for (const auto& r : rows) n += r.size();
    return n;
}

// Random text where CRs, LFs and 0x1A turn up often; some rows are long enough to cross reads.
std::string RandomText(std::mt19937& rng, std::size_t bytes, bool withEof) {
    const std::string alphabet = std::string("ab \t\r\r\n\n\n\xC3\xA9", 12);
    std::string s;
    while (s.size() < bytes) {
        int kind = static_cast<int>(rng() % 20);
        if (kind == 0) {
            s.append(std::size_t(rng() % (3 << 20)), 'x');  // a long row
        } else if (kind == 1) {
            s.append(std::size_t(300 + rng() % 300), '\r');  // more dropped CRs than a line end can hold
        } else {
            std::size_t n = rng() % 200;
            for (std::size_t i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
        }
    }
    if (withEof) s.insert(s.begin() + static_cast<std::ptrdiff_t>(rng() % s.size()), '\x1A');
    return s;
}

// Short rows of printable bytes and LFs.
std::string PlainRows(std::mt19937& rng, std::size_t bytes) {
    std::string s;
    while (s.size() < bytes) {
        s.append(std::size_t(rng() % 120), char('a' + rng() % 26));
        s += '\n';
    }
    s.resize(bytes);
    return s;
}

// Text that puts a line-end case on every MiB boundary, where the loader may split the file
// between readers: CR LF split by the boundary, an LF just before it, a lone CR right on it,
// hundreds of CRs across it, and a row running over several boundaries.
std::string BoundaryText(std::mt19937& rng, std::size_t mebibytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    std::string s = PlainRows(rng, mebibytes * kMiB + 777);
    for (std::size_t k = 1; k <= mebibytes; ++k) {
        const std::size_t b = k * kMiB;
        switch (k % 5) {
            case 0:
                s[b - 1] = '\r';
                s[b] = '\n';
                break;
            case 1:
                s[b - 1] = '\n';
                break;
            case 2:
                s[b] = '\r';
                break;
            case 3:
                s.replace(b - 200, 400, 400, '\r');
                break;
            case 4:
                std::replace(s.begin() + static_cast<std::ptrdiff_t>(b - kMiB / 2),
                             s.begin() + static_cast<std::ptrdiff_t>(b + 2 * kMiB), '\n', 'y');
                break;
        }
    }
    return s;
}

// The rows of a text when the file held only a part of it at some moment: every row but the
// last as in the whole, the last possibly cut short.
bool RowsOfAPrefix(const std::vector<std::string>& got, const std::vector<std::string>& whole) {
    if (got.size() > whole.size()) return false;
    for (std::size_t i = 0; i + 1 < got.size(); ++i)
        if (got[i] != whole[i]) return false;
    return got.empty() || whole[got.size() - 1].starts_with(got.back());
}

}  // namespace

TEST(RowList, LoadFileAndTextReaderKeepTheLineRules) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    const std::vector<std::string> fixed = {
        "",
        "\n",
        "\r",
        "\r\n",
        "a",
        "a\r",
        "a\n\r",
        "a\r\r\n",
        "\rab\r\ncd\r",
        "a\nb\n\n",
        "x\x1A\ny",
        "\x1A",
        "ab\r\r\r\rcd\nef\r\n",
        std::string(600, '\r') + "z\nnext\r\n",
    };
    for (const std::string& text : fixed) {
        WriteBytes(path, text);
        RowList list;
        list.loadFile(path);
        std::vector<std::string> expected = ReferenceRows(text);
        EXPECT_EQ(ReaderRows(path), expected) << ::testing::PrintToString(text);
        EXPECT_EQ(ListRows(list), expected) << ::testing::PrintToString(text);
        EXPECT_EQ(list.byteSize(), TotalBytes(expected));
        ExpectDigestsOfTheWholeFile(path, text);
    }
    std::mt19937 rng(12345);
    for (int round = 0; round < 12; ++round) {
        std::string text = RandomText(rng, 1000 + rng() % (5 << 20), round % 3 == 0);
        WriteBytes(path, text);
        RowList list;
        list.loadFile(path);
        std::vector<std::string> expected = ReferenceRows(text);
        // Compared without printing: the rows run to megabytes.
        ASSERT_TRUE(ReaderRows(path) == expected) << "round " << round;
        ASSERT_TRUE(ListRows(list) == expected) << "round " << round;
        EXPECT_EQ(list.byteSize(), TotalBytes(expected));
        ExpectDigestsOfTheWholeFile(path, text);
    }
}

TEST(RowList, RowsJoinWhereTheFileIsSplitBetweenReaders) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    std::mt19937 rng(99);
    for (std::size_t mib : {3, 10, 23}) {
        std::string text = BoundaryText(rng, mib);
        if (mib == 10) text[7 * (1 << 20) + 12345] = '\x1A';  // ends the input in a later piece
        if (mib == 23) text += "\r\rlast\r";
        WriteBytes(path, text);
        RowList list;
        list.loadFile(path);
        std::vector<std::string> expected = ReferenceRows(text);
        ASSERT_TRUE(ListRows(list) == expected) << mib << " MiB";
        EXPECT_EQ(list.byteSize(), TotalBytes(expected));
    }
}

TEST(RowList, RowsJoinAcrossReadRoundsOfALargeFile) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    std::mt19937 rng(7);
    std::string text = BoundaryText(rng, 140);
    WriteBytes(path, text);
    RowList list;
    list.loadFile(path);
    TextReader in(path);
    std::string_view line;
    std::size_t i = 0;
    while (in.readLine(line)) {
        ASSERT_LT(i, list.size());
        ASSERT_EQ(list[i], line) << "row " << i;
        ++i;
    }
    EXPECT_EQ(list.size(), i);
    ExpectDigestsOfTheWholeFile(path, text);
}

TEST(RowList, FileCutShortOrGrownWhileLoadingGivesTheRowsOfAPrefix) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    std::mt19937 rng(5);
    const std::string text = PlainRows(rng, 24 << 20);
    const std::string more = PlainRows(rng, 4 << 20);
    const std::vector<std::string> whole = ReferenceRows(text + more);
    for (int round = 0; round < 6; ++round) {
        const bool grow = round % 2 == 1;
        WriteBytes(path, text);
        const auto delay = std::chrono::microseconds(rng() % 3000);
        std::thread change([&] {
            std::this_thread::sleep_for(delay);
            if (grow) {
                FILE* f = std::fopen(path.c_str(), "ab");
                std::fwrite(more.data(), 1, more.size(), f);
                std::fclose(f);
            } else {
                ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(rng() % text.size())), 0);
            }
        });
        RowList list;
        list.loadFile(path);
        change.join();
        ASSERT_TRUE(RowsOfAPrefix(ListRows(list), whole)) << "round " << round;
        if (grow) {
            EXPECT_GE(list.size(), ReferenceRows(text).size() - 1);  // never less than was there
        }
    }
}

TEST(RowList, AFileWhoseSizeSaysNothingIsReadToItsEnd) {
    // Files under /proc give their size as 0 and still hold text.
    RowList list;
    list.loadFile("/proc/self/status");
    ASSERT_GT(list.size(), 5u);
    EXPECT_EQ(list[0].substr(0, 5), "Name:");
    EXPECT_EQ(list.back().empty(), false);
}

TEST(RowList, EndOfFileByteAtAReadBoundaryAddsNoRow) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    struct Case {
        std::string text;
        std::vector<std::string> rows;
    };
    std::string full(1 << 20, 'x');
    full.back() = '\n';  // the first read of the reader ends right after this line end
    const std::vector<Case> cases = {
        {"\x1A", {}},
        {"a\r\n\x1A", {"a"}},
        {full + "\x1Amore\n", {full.substr(0, full.size() - 1)}},
        {full + "tail\x1A", {full.substr(0, full.size() - 1), "tail"}},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.text);
        RowList list;
        list.loadFile(path);
        EXPECT_EQ(ReaderRows(path), c.rows) << c.text.size();
        EXPECT_EQ(ListRows(list), c.rows) << c.text.size();
        ExpectDigestsOfTheWholeFile(path, c.text);
    }
}

TEST(RowList, AppendsAfterALoadAndCopiesWhole) {
    TempDir dir;
    std::string path = dir.file("in.txt");
    WriteBytes(path, std::string(400, '\r') + "one\r\ntwo\r\n\r\nthree\r");
    RowList list;
    list.append("stale");
    list.loadFile(path);
    list.append("four");
    list.append("");
    list.append("five");
    const std::vector<std::string> expected = {"one", "two", "", "three", "four", "", "five"};
    EXPECT_EQ(ListRows(list), expected);
    EXPECT_EQ(list.byteSize(), 19u);

    RowList copy = list;
    RowList moved = std::move(list);
    list.clear();
    list.append("reused");
    EXPECT_EQ(ListRows(copy), expected);
    EXPECT_EQ(ListRows(moved), expected);
    EXPECT_EQ(ListRows(list), std::vector<std::string>{"reused"});
    copy = moved;
    EXPECT_EQ(ListRows(copy), expected);
}

TEST(RowList, RowsWithoutBytesStillPointAtMemory) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), std::string(300, '\r'));  // one row, its line end too long to keep
    RowList loaded;
    loaded.loadFile(dir.file("in.txt"));
    RowList appended;
    appended.append("");
    for (const RowList* list : {&loaded, &appended}) {
        ASSERT_EQ(ListRows(*list), std::vector<std::string>{""});
        EXPECT_NE((*list)[0].data(), nullptr);
    }
}

TEST(RowList, UnreadableFileFailsAndLeavesNoRows) {
    TempDir dir;
    RowList list;
    list.append("old");
    EXPECT_THROW(list.loadFile(dir.file("missing.txt")), FileError);
    EXPECT_TRUE(list.empty());
    EXPECT_THROW(list.loadFile(dir.path()), FileError);
    EXPECT_THROW(list.loadFile(std::string(300, 'a')), FileError);
}

TEST(RowList, KeepsRowsInOrderWithBlankRows) {
    TempDir dir;
    WriteBytes(dir.file("in.txt"), "first\r\n\r\n  \r\nlast");
    RowList rows;
    rows.append("stale");
    rows.loadFile(dir.file("in.txt"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "first");
    EXPECT_EQ(rows[1], "");
    EXPECT_EQ(rows[2], "  ");
    EXPECT_EQ(rows.back(), "last");
    EXPECT_EQ(rows.byteSize(), 11u);
}
