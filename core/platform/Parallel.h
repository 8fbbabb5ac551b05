#pragma once

// Work spread over every core, for the runs over millions of rows.

#include "core/platform/TextFile.h"

#include <oneapi/tbb/parallel_for.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rs {

// Runs work on a thread of its own while the calling thread calls idle at once and then every
// few milliseconds until work is over, so a window can keep repainting. What idle throws stops
// the calls to idle and is thrown here once work is over; else what work throws is.
void RunAside(const std::function<void()>& work, const std::function<void()>& idle);

namespace detail {
class PartRun;
}

// No part of WriteParts holds more text than this; past it, the text goes to the file as soon
// as every part before it has been written.
inline constexpr std::size_t kPartHeld = std::size_t{2} << 20;
// What a caller aims one part's text at; parts a little larger stay within kPartHeld.
inline constexpr std::size_t kPartAim = std::size_t{1} << 20;

// The text of one part of WriteParts, appended to in order. Outside WriteParts it keeps all of it.
class PartText {
public:
    PartText() = default;
    PartText(const PartText&) = delete;
    PartText& operator=(const PartText&) = delete;

    void append(std::string_view s) {
        if (s.size() > limit_ - text_.size())
            handOn(s);
        else
            text_.append(s);
    }
    // A line and its CR LF.
    void line(std::string_view s) {
        if (s.size() + 2 > limit_ - text_.size())
            handOn(s);
        else
            text_.append(s);
        text_.append("\r\n", 2);
    }
    // What the part holds now.
    const std::string& text() const { return text_; }

private:
    friend class detail::PartRun;
    void handOn(std::string_view s);  // writes what is held, then s

    std::string text_;
    std::size_t limit_ = static_cast<std::size_t>(-1);
    detail::PartRun* run_ = nullptr;
    std::size_t part_ = 0;
};

// Makes the text of parts 0 to count - 1 side by side, fill(k, text) appending part k's, and
// writes the parts to out in their order. Only a few parts are held at a time, none past
// kPartHeld. What fill or the writing throws is thrown here, once every thread has stopped.
void WriteParts(TextWriter& out, std::size_t count, const std::function<void(std::size_t, PartText&)>& fill);

// How many items make a part of about kPartAim, when `items` items write `bytes` bytes in all.
inline std::size_t ItemsPerPart(double bytes, std::size_t items) {
    const double each = items == 0 ? 1.0 : std::max(bytes / static_cast<double>(items), 1.0);
    return static_cast<std::size_t>(std::max(1.0, static_cast<double>(kPartAim) / each));
}

// Where two sorted lists of n1 and n2 entries are cut into stretches to be walked side by side:
// before entries taken evenly from the first list, at the first entry of either list that does
// not come before that entry. before(second, k, i) says whether entry k of the first list
// (second false) or of the second comes before entry i of the first. The first cut is {0, 0}
// and the last {n1, n2}.
using Cut = std::pair<std::size_t, std::size_t>;
std::vector<Cut> SortedCuts(std::size_t n1, std::size_t n2, std::size_t stretch,
                            const std::function<bool(bool second, std::size_t k, std::size_t i)>& before);

// Below this many items a sort or a pass is not worth spreading over threads.
inline constexpr std::size_t kParallelFrom = std::size_t{1} << 14;

// make(i) for each i < n that keep(i) accepts, in the order of i; worked out side by side.
template <class T, class Keep, class Make>
std::vector<T> KeptInOrder(std::size_t n, Keep keep, Make make) {
    const std::size_t stretches = (n + kParallelFrom - 1) / kParallelFrom;
    auto end = [n](std::size_t s) { return std::min(n, (s + 1) * kParallelFrom); };
    // Each stretch counts what it keeps, so that all of them can then fill their places at once.
    std::vector<std::size_t> firsts(stretches + 1, 0);
    oneapi::tbb::parallel_for(std::size_t{0}, stretches, [&](std::size_t s) {
        std::size_t kept = 0;
        for (std::size_t i = s * kParallelFrom; i < end(s); ++i) kept += keep(i) ? 1 : 0;
        firsts[s + 1] = kept;
    });
    for (std::size_t s = 0; s < stretches; ++s) firsts[s + 1] += firsts[s];
    std::vector<T> out(firsts[stretches]);
    oneapi::tbb::parallel_for(std::size_t{0}, stretches, [&](std::size_t s) {
        T* o = out.data() + firsts[s];
        for (std::size_t i = s * kParallelFrom; i < end(s); ++i)
            if (keep(i)) *o++ = make(i);
    });
    return out;
}

}  // namespace rs
