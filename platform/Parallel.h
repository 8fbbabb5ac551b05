#pragma once

// Work spread over every core, for the runs over millions of rows.

#include "platform/TextFile.h"

#include <cstddef>
#include <functional>
#include <string>

namespace rs {

// Runs work on a thread of its own while the calling thread calls idle every few
// milliseconds until work is over, so a window can keep repainting; what work throws is
// thrown here.
void RunAside(const std::function<void()>& work, const std::function<void()>& idle);

// Makes the text of parts 0 to count - 1 side by side, fill(k, text) appending part k's, and
// writes the parts to out in their order. Only a few parts are held at a time.
void WriteParts(TextWriter& out, std::size_t count,
                const std::function<void(std::size_t, std::string&)>& fill);

// Appends a line and its CR LF to a part's text.
inline void AppendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append("\r\n", 2);
}

// Below this many items a sort or a pass is not worth spreading over threads.
inline constexpr std::size_t kParallelFrom = std::size_t{1} << 14;

}  // namespace rs
