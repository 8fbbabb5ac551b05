#include "core/filetools/CombineLogic.h"

#include "core/platform/FileError.h"
#include "core/platform/Overwrite.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

using namespace rs;
using rs::test::ReadBytes;
using rs::test::TempDir;
using rs::test::WriteBytes;

TEST(Combine, JoinsFilesLineByLineAndReports) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "a1\r\n\na3");  // no line end after the last line
    WriteBytes(dir.file("b.txt"), "b1\nb2\x1Aignored\n");
    WriteBytes(dir.file("twin.txt"), "twin\n");
    const std::string results = dir.file("Results.txt");
    WriteBytes(results, "old content\n");

    // A name may end with a space: that file is read, not its twin without the space.
    WriteBytes(dir.file("twin.txt "), "");
    auto out = CombineFiles({dir.file("a.txt"), dir.file("twin.txt "), dir.file("b.txt"), dir.file("a.txt")},
                            results);
    EXPECT_EQ(ReadBytes(results), "a1\r\n\r\na3\r\nb1\r\nb2\r\na1\r\n\r\na3\r\n");
    EXPECT_EQ(out.report, (std::vector<std::string>{
                              "Read 3 lines from " + dir.file("a.txt"),
                              "Read 0 lines from " + dir.file("twin.txt "),
                              "Read 2 lines from " + dir.file("b.txt"),
                              "Read 3 lines from " + dir.file("a.txt"),
                              " ",
                              "Total Files Read    : 4",
                              "Total Lines Read    : 8",
                              "Total Lines Written : 8",
                          }));
}

TEST(Combine, RefusesToListTheResultsFile) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "a\n");
    const std::string results = dir.file("Results.txt");
    WriteBytes(results, "precious\n");
    EXPECT_THROW(CombineFiles({dir.file("a.txt"), dir.path() + "/./Results.txt"}, results), OverwriteRefused);
    EXPECT_EQ(ReadBytes(results), "precious\n");
}

TEST(Combine, MissingFileStopsTheRunWithoutTotals) {
    TempDir dir;
    WriteBytes(dir.file("a.txt"), "a\n");
    EXPECT_THROW(CombineFiles({dir.file("a.txt"), dir.file("gone.txt")}, dir.file("Results.txt")), FileError);
}
