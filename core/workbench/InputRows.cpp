#include "core/workbench/InputRows.h"

#include <utility>

namespace rs {

RowList& InputRows::startLoad(const std::string& path) {
    // Lent rows stay in ListInput, the rows of the last dispatch; the other store is filled.
    lent_ = false;
    complete_ = false;
    path_ = path;
    loadedDigest_.reset();
    stamped_ = StampOf(path, stamp_);
    return finderRows_;
}

void InputRows::finishLoad(bool complete, std::optional<ContentDigest> read) {
    // The digest is of the rows themselves, whatever happened to the file meanwhile.
    if (complete) loadedDigest_ = read;
    FileStamp after;
    complete_ = complete && stamped_ && StampOf(path_, after) && after == stamp_;
}

bool InputRows::canLend(const std::string& path) const {
    FileStamp now;
    return complete_ && path == path_ && StampOf(path, now) && now == stamp_;
}

void InputRows::lend() {
    if (!lent_) std::swap(ListInput, finderRows_);
    lent_ = true;
}

RowList& InputRows::unlend() {
    if (lent_) std::swap(ListInput, finderRows_);
    lent_ = false;
    return ListInput;
}

}  // namespace rs
