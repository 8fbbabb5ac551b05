#include "platform/FileError.h"
#include "platform/RowList.h"
#include "support/Doubles.h"
#include "support/Reference.h"

#include <gtest/gtest.h>

#include <random>

using namespace rs;
using rs::test::ListRows;
using rs::test::ReaderRows;
using rs::test::ReferenceRows;
using rs::test::TempDir;
using rs::test::WriteBytes;

namespace {

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
    }
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
        {full + "\x1A"
                "more\n",
         {full.substr(0, full.size() - 1)}},
        {full + "tail\x1A", {full.substr(0, full.size() - 1), "tail"}},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.text);
        RowList list;
        list.loadFile(path);
        EXPECT_EQ(ReaderRows(path), c.rows) << c.text.size();
        EXPECT_EQ(ListRows(list), c.rows) << c.text.size();
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
