#include "core/workbench/TemplateLogic.h"

#include "core/platform/TextFile.h"
#include "core/workbench/MemoRows.h"
#include "tests/support/Doubles.h"
#include "tests/support/RecordingProgress.h"

#include <gtest/gtest.h>

using namespace rs;
using rs::test::ReadCrlfLines;
using rs::test::TempDir;

namespace {

TemplateSettings Make(const std::string& templ, const std::string& key1, const std::string& filler1,
                      const std::string& key2 = {}, const std::string& filler2 = {},
                      const std::string& key3 = {}, const std::string& filler3 = {}) {
    TemplateSettings s;
    s.templateRows = MemoRows(templ);
    s.key1 = key1;
    s.key2 = key2;
    s.key3 = key3;
    s.filler1 = MemoRows(filler1);
    s.filler2 = MemoRows(filler2);
    s.filler3 = MemoRows(filler3);
    return s;
}

std::vector<std::string> Build(const TemplateSettings& s) {
    TempDir dir;
    const std::string path = dir.file("out.txt");
    TextWriter w(path);
    const std::int64_t n = WriteTemplateCopies(s, w);
    w.close();
    auto lines = ReadCrlfLines(path);
    EXPECT_EQ(n, static_cast<std::int64_t>(lines.size()));
    return lines;
}

}  // namespace

TEST(TemplateCheck, FirstFailingCheckWinsInOrder) {
    struct Case {
        const char* name;
        TemplateSettings s;
        const char* expected;
    };
    Case cases[] = {
        {"no template, nothing else", Make("", "", ""), kTemplateNoTemplate},
        {"template of one break only", Make("\n", "K", "a"), nullptr},
        {"no filler 1", Make("t", "", ""), kTemplateNoFiller},
        {"filler 1 ends with a break only", Make("t", "K", "\n"), nullptr},
        {"blank key 1", Make("t", "   ", "a"), kTemplateNoKey},
        {"key 1 of control bytes", Make("t", "\t\x01", "a"), kTemplateNoKey},
        {"filler 2 one row longer", Make("t", "K", "a\nb", "L", "1\n2\n3"), kTemplateCountsDiffer},
        {"counts are checked before keys", Make("t", "K", "a", "", "1\n2"), kTemplateCountsDiffer},
        {"filler 3 shorter", Make("t", "K", "a\nb", "", "", "M", "1"), kTemplateCountsDiffer},
        {"filler 2 without key 2", Make("t", "K", "a", " ", "1"), kTemplateKeyFillerPair},
        {"key 2 without filler 2", Make("t", "K", "a", "L", ""), kTemplateKeyFillerPair},
        {"filler 3 without key 3", Make("t", "K", "a", "", "", "", "1"), kTemplateKeyFillerPair},
        {"key 3 without filler 3", Make("t", "K", "a", "", "", "M", ""), kTemplateKeyFillerPair},
        {"pair 3 without pair 2", Make("t", "K", "a", "", "", "M", "1"), nullptr},
        {"all three pairs", Make("t", "K", "a\nb", "L", "1\n2", "M", "x\ny"), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ValidateTemplate(c.s).value_or(""), c.expected ? std::string(c.expected) : std::string());
    }
}

TEST(TemplateBuild, Replacements) {
    struct Case {
        TemplateSettings s;
        std::vector<std::string> lines;
    };
    Case cases[] = {
        {Make("NAME", "name", "Ann"), {"NAME"}},                       // case counts
        {Make("aaa", "aa", "b"), {"ba"}},                              // non-overlapping, from the left
        {Make("Hello KEY", "KEY", "CODE", "CODE", "7"), {"Hello 7"}},  // key 2 found in filler 1's text
        {Make("A B", "A", "x", "B", "A"), {"x A"}},                    // key 1 not searched again
        {Make("KEY KEY", "KEY", "K"), {"K K"}},                        // every occurrence
        {Make("XaX bX", " X", "_", "", ""), {"XaX bX"}},               // key used as typed, with its space
        {Make("X a X", " X", "_"), {"X a_"}},
        {Make("k-k", "k", "kk"), {"kk-kk"}},                     // inserted text is not searched again
        {Make("A-B-C", "A", "1", "", "", "C", "3"), {"1-B-3"}},  // pairs 1 and 3 only
        {Make("héllo wörld", "ö", "oe"), {"héllo woerld"}},      // multi-byte characters
        {Make("no key here", "KEY", "a\nb"), {"no key here", "no key here"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Build(c.s), c.lines);
}

TEST(TemplateBuild, CopiesFollowFillerOrderWithEveryTemplateRow) {
    // The worked example: two copies of a two-row template.
    EXPECT_EQ(Build(Make("Dear NAME,\nYour code is CODE.", "NAME", "Ann\nBob", "CODE", "11\n22")),
              (std::vector<std::string>{"Dear Ann,", "Your code is 11.", "Dear Bob,", "Your code is 22."}));
    // An empty template row is written in every copy.
    EXPECT_EQ(Build(Make("a K\n\nb K", "K", "1\n2")),
              (std::vector<std::string>{"a 1", "", "b 1", "a 2", "", "b 2"}));
    // Five filler rows, the text ending with a break: five copies, not six; an empty filler
    // row removes the key.
    EXPECT_EQ(Build(Make("<K>", "K", "a\nb\n\nd\ne\n")),
              (std::vector<std::string>{"<a>", "<b>", "<>", "<d>", "<e>"}));
    // Enough output to be made in parts side by side, cut inside copies, which must keep their
    // order.
    const std::string rule(100, '=');
    std::string f1, f2;
    std::vector<std::string> expected;
    for (int r = 0; r < 20000; ++r) {
        f1 += std::to_string(r) + "\n";
        f2 += std::to_string(r % 7) + "\n";
        expected.push_back("row " + std::to_string(r) + " of " + std::to_string(r % 7));
        expected.push_back("-");
        expected.push_back(rule);
    }
    EXPECT_TRUE(Build(Make("row A of B\n-\n" + rule, "A", f1, "B", f2)) == expected);
}

TEST(TemplateRun, RefusedRunWritesNothingAndShowsNoProgress) {
    TempDir dir;
    const std::string path = dir.file("Results.txt");
    test::WriteBytes(path, "old\r\n");
    test::RecordingProgress progress;
    RunOutcome out = RunTemplate(Make("t", "K", "a", "L", ""), path, progress);
    EXPECT_EQ(test::OnlyMessage(out), kTemplateKeyFillerPair);
    EXPECT_TRUE(progress.shown().empty());
    EXPECT_EQ(test::ReadBytes(path), "old\r\n");
}

TEST(TemplateRun, OverwritesResultsAndPublishes) {
    TempDir dir;
    const std::string path = dir.file("Results.txt");
    test::WriteBytes(path, "an older and longer results file\r\nwith two lines\r\n");
    test::RecordingProgress progress;
    RunOutcome out = RunTemplate(Make("x=K", "K", "1\n2"), path, progress);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_TRUE(test::Publishes(out, path));
    EXPECT_EQ(progress.shown(), (std::vector<std::string>{test::kStartProcessing, "end"}));
    EXPECT_EQ(test::ReadBytes(path), "x=1\r\nx=2\r\n");
}

TEST(TemplateRun, UnwritableResultsFileThrowsAndLeavesProgressUp) {
    TempDir dir;
    test::RecordingProgress progress;
    EXPECT_THROW(RunTemplate(Make("t", "K", "a"), dir.file("missing/Results.txt"), progress), FileError);
    EXPECT_EQ(progress.ends(), 0);
}
