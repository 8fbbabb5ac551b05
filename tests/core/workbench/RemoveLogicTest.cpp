#include "core/workbench/RemoveLogic.h"

#include "core/platform/Chars.h"
#include "core/platform/FileError.h"
#include "core/workbench/ExtractLogic.h"
#include "core/workbench/InsertLogic.h"
#include "tests/support/DialogRun.h"
#include "tests/support/Reference.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

using namespace rs;
using rs::test::Lines;

namespace {

RemoveSettings ByPosition(int a, int b, bool only = false, std::string text = "", bool entire = false) {
    return RemoveSettings{a, b, only, text, entire, false};
}
RemoveSettings ByKey(int a, int b) { return RemoveSettings{a, b, false, "", false, true}; }

Lines Remove(const Lines& rows, const RemoveSettings& s) {
    test::DialogRun h;
    return h.run(rows, s, RunRemove);
}

}  // namespace

TEST(DialogRuns, UnwritableResultsFileThrowsAfterTheProgressStarted) {
    RowList rows = test::RowListOf({"a"});
    test::RecordingProgress p;
    RunCounters c;
    test::TempDir dir;
    const std::string bad = dir.file("missing/Results.txt");
    EXPECT_THROW(RunInsert(rows, InsertSettings{}, bad, p, c), FileError);
    EXPECT_THROW(RunRemove(rows, ByKey(1, 1), bad, p, c), FileError);
    EXPECT_THROW(RunRemove(rows, ByPosition(1, 1), bad, p, c), FileError);
    ExtractSettings e;
    e.choice = ExtractChoice::ExtractWords;
    EXPECT_THROW(RunExtract(rows, e, bad, p, c), FileError);
}

TEST(Remove, ValidationMessagesInTheirOrder) {
    EXPECT_FALSE(ValidateRemove(ByPosition(1, 1)));
    EXPECT_EQ(ValidateRemove(ByPosition(3, 2)), kMsgRemovePositions);
    EXPECT_EQ(ValidateRemove(ByPosition(3, 2, true, "")), kMsgRemoveNeedsString);
    RemoveSettings key = ByKey(3, 2);
    key.onlyIfContains = true;
    EXPECT_EQ(ValidateRemove(key), kMsgRemoveNeedsString);  // checked in the by-key mode too
    EXPECT_FALSE(ValidateRemove(ByPosition(2, 2, true, " ")));
}

TEST(Remove, ByPosition) {
    const Lines rows{"abcd", "ab", "abxd", "", "aé€d"};
    EXPECT_EQ(Remove(rows, ByPosition(2, 3)), (Lines{"ad", "ab", "ad", "", "ad"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, false, "", true)), (Lines{"ad", "ab", "ad", "", "ad"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "bc")), (Lines{"ad", "ab", "abxd", "", "aé€d"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "bc", true)), (Lines{"ab", "abxd", "", "aé€d"}));
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "é€", true)), (Lines{"abcd", "ab", "abxd", ""}));
    // The text must lie inside the range.
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "cd")), rows);
    EXPECT_EQ(Remove(rows, ByPosition(2, 3, true, "abcd")), rows);
    EXPECT_EQ(Remove(rows, ByPosition(4, 4)), (Lines{"abc", "ab", "abx", "", "aé€"}));
    EXPECT_EQ(Remove(rows, ByPosition(5, 9)), rows);
    EXPECT_EQ(Remove({"", ""}, ByPosition(1, 1)), (Lines{"", ""}));  // rows that hold no bytes at all
}

TEST(Remove, ByPositionReportsEveryRowDroppedOrNot) {
    test::DialogRun h;
    h.run(Lines{"abcd", "abcd", "x", "abcd"}, ByPosition(2, 3, true, "bc", true), RunRemove);
    EXPECT_EQ(h.progress.shown(),
              (Lines{test::kStartProcessing, test::ProcessingUpdate(0), test::ProcessingUpdate(25),
                     test::ProcessingUpdate(50), test::ProcessingUpdate(75), "end"}));
}

TEST(Remove, ByKeyRemovesEveryCopyOfASharedKey) {
    EXPECT_EQ(Remove({"ab1", "cd2", "ab3", "a"}, ByKey(1, 2)), (Lines{"cd2", "a"}));
    EXPECT_EQ(Remove({"x1", "y", "x2", "x3", "Y1"}, ByKey(1, 1)), (Lines{"y", "Y1"}));
    EXPECT_EQ(Remove({"ab", "abc", "ab"}, ByKey(1, 3)), (Lines{"ab", "abc", "ab"}));
    EXPECT_EQ(Remove({"only"}, ByKey(1, 2)), (Lines{"only"}));
    EXPECT_EQ(Remove({}, ByKey(1, 2)), Lines{});
    EXPECT_EQ(Remove({"é1", "é2", "e3"}, ByKey(1, 1)), (Lines{"e3"}));
    EXPECT_EQ(Remove({"", "", "a"}, ByKey(1, 1)), (Lines{"", "", "a"}));
}

TEST(Remove, ByKeyGivesThePairwiseWalksOutcome) {
    // The walk the dialog has always done, on random rows full of short, multi-byte and
    // invalid characters; the grouping by hash must keep exactly the same rows.
    auto walk = [](Lines items, int a, int b) {
        for (std::size_t i = 0; i + 1 < items.size();) {
            std::string key = test::CharSlice(items[i], a, b);
            bool found = false;
            for (std::size_t j = items.size() - 1; j > i; --j) {
                if (chars::Length(items[j]) >= b && test::CharSlice(items[j], a, b) == key) {
                    items.erase(items.begin() + static_cast<std::ptrdiff_t>(j));
                    found = true;
                }
            }
            if (found)
                items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            else
                ++i;
        }
        return items;
    };
    std::mt19937 rng(7);
    const std::vector<std::string> pieces{"a", "b", "é", "\xff", "\xe2\x82", "€", " "};
    for (int round = 0; round < 500; ++round) {
        // Few piece kinds make shared keys likely; up to 6 characters make keys long enough
        // (over 8 bytes) to be compared through their rows.
        const std::size_t kinds = 2 + rng() % (pieces.size() - 1);
        Lines rows(rng() % 30);
        for (auto& r : rows) {
            int len = static_cast<int>(rng() % 10);
            for (int k = 0; k < len; ++k) r += pieces[rng() % kinds];
        }
        int a = 1 + static_cast<int>(rng() % 3);
        int b = a + static_cast<int>(rng() % 6);
        std::vector<char> removed = RowsWithSharedKeys(test::RowListOf(rows), a, b);
        Lines kept;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!removed[i]) kept.push_back(rows[i]);
        ASSERT_EQ(kept, walk(rows, a, b)) << "round " << round;
    }
    // Enough rows to be shared out between threads: a row goes exactly when its key is shared.
    Lines rows(100000);
    std::map<std::string, int> keys;
    for (auto& r : rows) {
        r = rng() % 10 ? std::to_string(100000 + rng() % 150000) + pieces[rng() % pieces.size()] : "short";
        if (chars::Length(r) >= 6) ++keys[test::CharSlice(r, 1, 6)];
    }
    std::vector<char> removed = RowsWithSharedKeys(test::RowListOf(rows), 1, 6);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool shared = chars::Length(rows[i]) >= 6 && keys[test::CharSlice(rows[i], 1, 6)] > 1;
        ASSERT_EQ(removed[i] != 0, shared) << rows[i];
    }
}

TEST(Remove, ByKeyShowsOnlyTheStartText) {
    test::DialogRun h;
    h.run(Lines{"ab1", "ab2"}, ByKey(1, 2), RunRemove);
    EXPECT_EQ(h.progress.shown(), (Lines{test::kStartProcessing, "end"}));
}
