#include "core/platform/DirSearch.h"

#include <gtest/gtest.h>

using namespace rs;

TEST(DirSearch, WildcardsIgnoreCase) {
    EXPECT_TRUE(WildcardMatch("*.*", "noext"));
    EXPECT_TRUE(WildcardMatch("*.txt", "A.TXT"));
    EXPECT_TRUE(WildcardMatch("*.TxT", "b.txt"));
    EXPECT_FALSE(WildcardMatch("*.txt", "a.txt.bak"));
    EXPECT_TRUE(WildcardMatch("f?le*.csv", "File12.CSV"));
    EXPECT_FALSE(WildcardMatch("f?le.csv", "fle.csv"));
}
