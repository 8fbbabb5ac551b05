#pragma once

#include <string>

namespace rs {

// The user's application-data folder: $XDG_DATA_HOME when it is an absolute path, or
// ~/.local/share, with the account's home from the user database where HOME is not an absolute
// path (unset, empty or relative). Empty when no home is known at all.
std::string AppDataFolder();
// The folder that holds the running executable.
std::string ExecutableFolder();
bool FolderExists(const std::string& path);
// Creates the folder and every missing folder above it, each made private to the user (0700);
// folders already there are left as they are. False when it cannot.
bool CreateFolders(const std::string& path);

// The path separator of this platform.
constexpr char kPathSep = '/';
// folder/name; empty when folder is.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);

}  // namespace rs
