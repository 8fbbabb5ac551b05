#include "core/platform/FileError.h"

#include <cstring>

namespace rs {

FileError FileError::fromErrno(const std::string& path, const std::string& action, int err) {
    return FileError(path, action, std::strerror(err));
}

}  // namespace rs
