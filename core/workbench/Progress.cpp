#include "core/workbench/Progress.h"

#include "core/platform/Parallel.h"

#include <cfenv>
#include <cmath>
#include <optional>

namespace rs {

std::int32_t PercentOf(std::int64_t k, std::int32_t total) {
    long double q = static_cast<long double>(k) / static_cast<long double>(total);
    long double p = q * 100.0L;
    // nearbyintl rounds in the current mode, which is to-nearest, ties to even.
    return static_cast<std::int32_t>(std::nearbyintl(p));
}

PercentReporter::PercentReporter(Progress& progress, std::string_view prefix, RunCounters& counters)
    : progress_(progress),
      counters_(counters),
      text_(prefix),
      prefixLen_(prefix.size()),
      divisor_(counters.InputLineCount) {}

void PercentReporter::recompute(std::int64_t k) {
    std::int32_t p = PercentOf(k, divisor_);
    counters_.ProgressPercent = p;
    if (p != shown_) {
        shown_ = p;
        text_.resize(prefixLen_);
        text_ += std::to_string(p);
        text_ += kSuffixComplete;
        progress_.update(text_);
    }
    if (divisor_ > 0 && k >= 0) {
        // The percentage cannot change before k reaches (p + 0.5) / 100 * divisor; start
        // checking a little before that so rounding of the estimate never skips a change.
        long double edge = (static_cast<long double>(p) + 0.5L) * divisor_ / 100.0L;
        std::int64_t next = static_cast<std::int64_t>(edge) - 2;
        nextCheck_ = next > k ? next : k + 1;
    } else {
        nextCheck_ = k + 1;
    }
}

void RunWithStages(Progress& progress, RunCounters& counters, std::span<ProgressStage> stages,
                   const std::function<void()>& work) {
    std::size_t s = 0;
    std::int64_t k = 0;
    std::optional<PercentReporter> rep;
    auto follow = [&] {
        for (; s < stages.size(); ++s) {
            if (!rep) {
                rep.emplace(progress, stages[s].prefix, counters);
                k = 0;
            }
            const std::int64_t done = stages[s].done.load(std::memory_order_relaxed);
            for (; k < done; ++k) rep->row(k);
            if (done < stages[s].rows) break;
            rep.reset();
        }
        progress.pump();
    };
    try {
        RunAside(work, follow);
    } catch (...) {
        follow();
        throw;
    }
    follow();
}

}  // namespace rs
