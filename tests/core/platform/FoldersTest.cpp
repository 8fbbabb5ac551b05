#include "core/platform/Folders.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

using namespace rs;

TEST(AppDataFolder, ARelativeXdgDataHomeIsIgnoredAndAMissingHomeIsLookedUp) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/u", 1);
    for (const char* relative : {"http://evil.example/x", "data"}) {
        setenv("XDG_DATA_HOME", relative, 1);
        EXPECT_EQ(AppDataFolder(), "/home/u/.local/share") << relative;
    }
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(AppDataFolder(), "/srv/data");

    // Without HOME, or with a relative one, the account's home, never the root of the file system
    // or a folder under wherever the program was started.
    unsetenv("XDG_DATA_HOME");
    const struct passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    const std::string expected = std::string(account->pw_dir) + "/.local/share";
    setenv("HOME", "", 1);
    EXPECT_EQ(AppDataFolder(), expected);
    unsetenv("HOME");
    EXPECT_EQ(AppDataFolder(), expected);
    setenv("HOME", "relhome", 1);
    EXPECT_EQ(AppDataFolder(), expected);
    EXPECT_EQ(JoinPath("", "Rowsmith"), "");

    setenv("HOME", savedHome.c_str(), 1);
    if (oldXdg)
        setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
