#include "core/workbench/InsertLogic.h"

#include "tests/support/DialogRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace rs;
using rs::test::Lines;

namespace {

Lines Insert(const Lines& rows, std::string text, int pos, std::string beg = "", std::string end = "") {
    test::DialogRun h;
    return h.run(rows, InsertSettings{text, pos, beg, end}, RunInsert);
}

}  // namespace

TEST(Insert, PositionsAroundTheRowLength) {
    const Lines rows{"abc", "ab", "abcd", "", "é€x"};
    EXPECT_EQ(Insert(rows, "X", 0), (Lines{"Xabc", "Xab", "Xabcd", "", "Xé€x"}));
    EXPECT_EQ(Insert(rows, "X", 3), (Lines{"abcX", "ab", "abcXd", "", "é€xX"}));
    EXPECT_EQ(Insert(rows, "X", 2), (Lines{"abXc", "abX", "abXcd", "", "é€Xx"}));
    EXPECT_EQ(Insert(rows, "X", 1), (Lines{"aXbc", "aXb", "aXbcd", "", "éX€x"}));
    EXPECT_EQ(Insert(rows, "X", 25000), rows);
    EXPECT_EQ(Insert(rows, "", 0), rows);
    // Rows that hold no bytes at all.
    EXPECT_EQ(Insert({"", ""}, "X", 1), (Lines{"", ""}));
}

TEST(Insert, PrefixAndSuffixGoOnEveryRowAfterTheInsertion) {
    EXPECT_EQ(Insert({"abc", "", "a"}, "X", 0, "<", ">"), (Lines{"<Xabc>", "<>", "<Xa>"}));
    EXPECT_EQ(Insert({"abc", "ab"}, "-", 3, "[", ""), (Lines{"[abc-", "[ab"}));
    // A row of invalid UTF-8 counts each stray byte as one character and keeps it.
    EXPECT_EQ(Insert({"\xff\xfe"
                      "a"},
                     "X", 2),
              (Lines{"\xff\xfeXa"}));
}

TEST(Insert, ProgressCountsFromZeroAndEmptyInputStillWritesTheFile) {
    test::DialogRun h;
    h.run(Lines{"a", "b", "c"}, InsertSettings{"X", 0, "", ""}, RunInsert);
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, test::ProcessingUpdate(0),
                                         test::ProcessingUpdate(33), test::ProcessingUpdate(67), "end"}));
    EXPECT_TRUE(test::Publishes(h.outcome, h.file()));
    EXPECT_TRUE(h.outcome.messages.empty());

    test::DialogRun empty;
    EXPECT_TRUE(empty.run(Lines{}, InsertSettings{"X", 0, "<", ">"}, RunInsert).empty());
    EXPECT_EQ(empty.progress.shown(), (Lines{test::kStartProcessing, "end"}));
}
