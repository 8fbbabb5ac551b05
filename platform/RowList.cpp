#include "RowList.h"

#include "TextFile.h"

namespace rs {

void RowList::loadFile(const std::string& path) {
    clear();
    TextReader reader(path);
    if (reader.fileSize() > 0) {
        // The rows never take more bytes than the file; one reservation avoids the
        // doubling that would otherwise leave up to twice the file size allocated.
        bytes_.reserve(static_cast<std::size_t>(reader.fileSize()));
    }
    std::string_view line;
    while (reader.readLine(line)) append(line);
    reader.close();
}

}  // namespace rs
