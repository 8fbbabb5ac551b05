#pragma once

#include <stdexcept>
#include <string>

namespace rs {

// Every failed file operation throws this; the handler guard shows it to the user.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string action, std::string reason)
        : std::runtime_error(action + " \"" + path + "\": " + reason),
          path_(std::move(path)),
          action_(std::move(action)),
          reason_(std::move(reason)) {}

    const std::string& path() const { return path_; }
    const std::string& action() const { return action_; }
    const std::string& reason() const { return reason_; }

    // Builds the error from errno of the failed call.
    static FileError fromErrno(const std::string& path, const std::string& action, int err);

private:
    std::string path_;
    std::string action_;
    std::string reason_;
};

}  // namespace rs
