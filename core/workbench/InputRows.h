#pragma once

#include "core/platform/Digest.h"
#include "core/platform/FileStamp.h"
#include "core/platform/RowList.h"

#include <optional>
#include <string>

namespace rs {

// The rows of the current input: those the last load read, which the position finder shows,
// and ListInput, those the last dispatch handed to the operations. A dispatch on a file that
// has not changed since it was loaded lends the loaded rows to ListInput instead of reading
// the file a second time; a dialog left open keeps the rows of the last dispatch either way.
class InputRows {
public:
    RowList ListInput;

    // Starts a load of path: returns the finder's rows to fill (ListInput keeps its rows).
    RowList& startLoad(const std::string& path);
    // Ends it: only a load that read the whole file, unchanged meanwhile, may be lent out.
    // read is the digest of the bytes the load read, where it took one.
    void finishLoad(bool complete, std::optional<ContentDigest> read = std::nullopt);
    // True when a dispatch on path may take the loaded rows: a whole load of it, unchanged since.
    bool canLend(const std::string& path) const;
    // ListInput takes the loaded rows, for a dispatch that canLend.
    void lend();
    // The loaded rows are taken back from ListInput, which is returned for the caller to fill.
    RowList& unlend();
    // The rows of the last load, wherever they are now.
    const RowList& loaded() const { return lent_ ? ListInput : finderRows_; }
    // The digest of what the last load read, when it read the whole file and took one.
    const std::optional<ContentDigest>& loadedDigest() const { return loadedDigest_; }

private:
    RowList finderRows_;
    std::string path_;
    FileStamp stamp_;
    std::optional<ContentDigest> loadedDigest_;
    bool stamped_ = false;
    bool complete_ = false;
    bool lent_ = false;  // finderRows_ and ListInput are swapped
};

}  // namespace rs
