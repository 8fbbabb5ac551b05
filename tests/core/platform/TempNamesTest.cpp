#include "core/platform/TempNames.h"

#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace rs;
using rs::test::Entries;
using rs::test::Lines;
using rs::test::TempDir;

namespace {
int CreateFile(const char* name) {
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

// Starts a thread that makes a name in folder slowly, and returns once the file is there but
// make() has not yet returned: whatever ends the process then lands in the middle of making it.
std::thread MakeSlowlyOnAnotherThread(const std::string& folder,
                                      std::chrono::milliseconds slow = std::chrono::milliseconds(200)) {
    std::atomic<bool> begun{false};
    std::thread maker([folder, slow, &begun] {
        TempName name;
        name.make(folder, [slow, &begun](const char* path) {
            const int err = CreateFile(path);
            begun = true;
            std::this_thread::sleep_for(slow);
            return err;
        });
        for (;;) ::pause();
    });
    while (!begun) std::this_thread::yield();
    return maker;
}
}  // namespace

TEST(TempName, NamesCarryTheProcessAndAreRemovedOrForgotten) {
    TempDir dir;
    TempName name;
    ASSERT_EQ(name.make(dir.path() + "/", CreateFile), 0);
    const std::string prefix = ".rowsmith-" + std::to_string(::getpid()) + "-";
    const Lines made = Entries(dir.path());
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].rfind(prefix, 0), 0u) << made[0];
    EXPECT_EQ(name.path(), dir.file(made[0]));
    name.remove();
    EXPECT_TRUE(Entries(dir.path()).empty());
    EXPECT_TRUE(name.empty());

    // A name that create refuses is given up with its error.
    EXPECT_EQ(name.make(dir.path() + "/missing/", CreateFile), ENOENT);
    EXPECT_TRUE(name.empty());
}

TEST(TempName, ASignalOnAnyThreadOrExitRemovesEvenANameBeingMade) {
    TempDir dir;
    const std::string folder = dir.path() + "/";
    // One name made, another being made on another thread, when end() ends the process.
    auto endWhileMaking = [&](void (*end)()) {
        TempName made;
        made.make(folder, CreateFile);
        std::thread maker = MakeSlowlyOnAnotherThread(folder);
        end();
        for (;;) ::pause();
    };
    // The making thread holds the signal off, so it lands on the other one.
    EXPECT_EXIT(endWhileMaking([] { ::kill(::getpid(), SIGTERM); }), testing::KilledBySignal(SIGTERM), "");
    EXPECT_TRUE(Entries(dir.path()).empty());
    EXPECT_EXIT(endWhileMaking([] { std::exit(0); }), testing::ExitedWithCode(0), "");
    EXPECT_TRUE(Entries(dir.path()).empty());

    // A create that a stalled file system does not answer holds the end back only briefly; were
    // it waited for, the alarm would end the process first.
    auto endWhileStalled = [&] {
        std::thread maker = MakeSlowlyOnAnotherThread(folder, std::chrono::minutes(2));
        ::alarm(30);
        ::kill(::getpid(), SIGTERM);
        for (;;) ::pause();
    };
    EXPECT_EXIT(endWhileStalled(), testing::KilledBySignal(SIGTERM), "");
    EXPECT_TRUE(Entries(dir.path()).empty());

    // A child made by fork() that exits leaves the names of its parent alone.
    TempName kept;
    ASSERT_EQ(kept.make(folder, CreateFile), 0);
    EXPECT_EXIT(std::exit(0), testing::ExitedWithCode(0), "");
    EXPECT_EQ(Entries(dir.path()).size(), 1u);
    kept.remove();
}
