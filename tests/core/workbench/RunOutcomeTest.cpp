#include "core/workbench/RunOutcome.h"

#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rs;

TEST(Finish, ShowsMessagesThenOpensThenTellsWhereWhenTheShellFails) {
    rs::test::DoublesScope doubles;
    const std::string results = "/home/u/.local/share/Rowsmith/Results.txt";
    Finish(RunOutcome::Publish(results, {"Total rows removed = 3"}));
    Finish(RunOutcome::Messages({"counted"}));
    EXPECT_EQ(doubles.events, (std::vector<std::string>{"message:Total rows removed = 3", "open:" + results,
                                                        "message:counted"}));
    EXPECT_EQ(doubles.dialogs.messages[0].caption, "Rowsmith");

    doubles.events.clear();
    doubles.shell.result = ShellResult::Failed;
    Finish(RunOutcome::Publish(results));
    Finish(RunOutcome::Publish(results, {}, kPublishCompare));
    Finish(RunOutcome::Publish(results, {}, kPublishCombine));
    Finish(RunOutcome::OpenFolder("/data/", {"summary"}));
    EXPECT_EQ(doubles.events,
              (std::vector<std::string>{
                  "open:" + results, "message:The new file has been created with your changes : " + results,
                  "open:" + results, "message:The compare results are located here : " + results,
                  "open:" + results, "message:The new file has been created : " + results, "folder:/data/",
                  "message:Your files are located at: /data/", "message:summary"}));
}

TEST(Finish, ALateFailureTellsWhereWithoutRepeatingTheMessagesThatFollow) {
    rs::test::DoublesScope doubles;
    const std::string results = "/home/u/.local/share/Rowsmith/Results.txt";
    Finish(RunOutcome::Publish(results, {}, kPublishCompare));
    doubles.shell.lastDone(ShellResult::Failed);
    Finish(RunOutcome::OpenFolder("/data/", {"summary"}));
    doubles.shell.lastDone(ShellResult::Failed);
    EXPECT_EQ(doubles.events,
              (std::vector<std::string>{
                  "open:" + results, "message:The compare results are located here : " + results,
                  "folder:/data/", "message:summary", "message:Your files are located at: /data/"}));
}
