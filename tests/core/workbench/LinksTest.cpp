#include "core/workbench/Links.h"

#include "core/platform/Folders.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace rs;

namespace {
struct LinkCase {
    const char* page;
    std::function<void()> open;
    const char* notFoundText;
};

std::vector<LinkCase> AllLinks() {
    return {
        {kHelpPage, OpenHelpPage, kHelpNotFound},
        {kDownloadPage, OpenDownloadPage, kDownloadNotFound},
        {kExamplesPage, OpenExamplesPage, kExamplesNotFound},
        {kSamplePage, OpenSamplePage, kSampleNotFound},
    };
}
}  // namespace

TEST(Links, OpenThePageBesideTheExecutableMaximised) {
    for (const auto& link : AllLinks()) {
        SCOPED_TRACE(link.page);
        test::DoublesScope doubles;
        link.open();
        ASSERT_EQ(doubles.shell.opened.size(), 1u);
        EXPECT_EQ(doubles.shell.opened[0], ExecutableFolder() + "/" + link.page);
        EXPECT_TRUE(doubles.shell.openedMaximised[0]);
        EXPECT_TRUE(doubles.dialogs.messages.empty());
    }
}

TEST(Links, OnlyFileNotFoundIsReportedInAnErrorBox) {
    for (const auto& link : AllLinks()) {
        SCOPED_TRACE(link.page);
        {
            test::DoublesScope doubles;
            doubles.shell.result = ShellResult::FileNotFound;
            link.open();
            ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
            EXPECT_EQ(doubles.dialogs.messages[0].text, link.notFoundText);
            EXPECT_EQ(doubles.dialogs.messages[0].kind, MsgKind::Error);
            EXPECT_EQ(doubles.dialogs.messages[0].caption, "Error");
        }
        {
            test::DoublesScope doubles;
            doubles.shell.result = ShellResult::Failed;
            link.open();
            EXPECT_EQ(doubles.shell.opened.size(), 1u);
            EXPECT_TRUE(doubles.dialogs.messages.empty());
        }
    }
}
