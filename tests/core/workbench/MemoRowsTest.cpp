#include "core/workbench/MemoRows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace rs;

namespace {

std::vector<std::string> Rows(const std::string& text) {
    MemoRows m(text);
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < m.count(); ++i) out.emplace_back(m[static_cast<std::size_t>(i)]);
    return out;
}

}  // namespace

TEST(MemoRows, FinalBreakIsNotARowButInnerEmptyLinesAre) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Rows(""), V{});
    EXPECT_EQ(Rows("\n"), V{""});
    EXPECT_EQ(Rows("a"), V{"a"});
    EXPECT_EQ(Rows("a\n"), V{"a"});
    EXPECT_EQ(Rows("a\n\n"), (V{"a", ""}));
    EXPECT_EQ(Rows("a\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(Rows("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Rows(" x \n\t"), (V{" x ", "\t"}));
}

TEST(MemoRows, CopiesKeepTheirRows) {
    // Short texts live inside the string object: rows must survive a copy or a move.
    MemoRows a("ab\ncd");
    MemoRows b = a;
    MemoRows c = std::move(a);
    EXPECT_EQ(b[1], "cd");
    EXPECT_EQ(c[0], "ab");
}
