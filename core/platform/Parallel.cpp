#include "core/platform/Parallel.h"

#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace rs {

void RunAside(const std::function<void()>& work, const std::function<void()>& idle) {
    std::mutex m;
    std::condition_variable cv;
    bool over = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(m);
        over = true;
        cv.notify_one();
    });
    idle();
    {
        std::unique_lock<std::mutex> lock(m);
        while (!cv.wait_for(lock, std::chrono::milliseconds(15), [&] { return over; })) {
            lock.unlock();
            idle();
            lock.lock();
        }
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void WriteParts(TextWriter& out, std::size_t count,
                const std::function<void(std::size_t, std::string&)>& fill) {
    using Part = std::unique_ptr<std::string>;  // serial_in_order keeps the parts in order
    // Texts are handed back once written, so their memory is reused rather than faulted in anew.
    std::mutex m;
    std::vector<std::unique_ptr<std::string>> spare;
    auto take = [&] {
        std::lock_guard<std::mutex> lock(m);
        if (spare.empty()) return std::make_unique<std::string>();
        auto t = std::move(spare.back());
        spare.pop_back();
        return t;
    };
    std::size_t next = 0;
    const auto tokens = static_cast<std::size_t>(2 * oneapi::tbb::this_task_arena::max_concurrency());
    oneapi::tbb::parallel_pipeline(
        tokens,
        oneapi::tbb::make_filter<void, std::size_t>(oneapi::tbb::filter_mode::serial_in_order,
                                                    [&](oneapi::tbb::flow_control& fc) -> std::size_t {
                                                        if (next == count) fc.stop();
                                                        return next++;
                                                    }) &
            oneapi::tbb::make_filter<std::size_t, Part>(oneapi::tbb::filter_mode::parallel,
                                                        [&](std::size_t k) {
                                                            Part text = take();
                                                            text->clear();
                                                            fill(k, *text);
                                                            return text;
                                                        }) &
            oneapi::tbb::make_filter<Part, void>(oneapi::tbb::filter_mode::serial_in_order, [&](Part text) {
                out.write(*text);
                std::lock_guard<std::mutex> lock(m);
                spare.push_back(std::move(text));
            }));
}

std::vector<Cut> SortedCuts(std::size_t n1, std::size_t n2, std::size_t stretch,
                            const std::function<bool(bool second, std::size_t k, std::size_t i)>& before) {
    std::vector<Cut> cuts{{0, 0}};
    const std::size_t pieces = (n1 + n2) / stretch;
    for (std::size_t p = 1; p < pieces; ++p) {
        const std::size_t i = p * n1 / pieces;
        if (i >= n1) continue;
        auto firstNotBefore = [&](bool second) {
            std::size_t lo = 0, hi = second ? n2 : n1;
            while (lo < hi) {
                const std::size_t mid = lo + (hi - lo) / 2;
                if (before(second, mid, i))
                    lo = mid + 1;
                else
                    hi = mid;
            }
            return lo;
        };
        const Cut cut{firstNotBefore(false), firstNotBefore(true)};
        if (cut.first > cuts.back().first && cut.second >= cuts.back().second) cuts.push_back(cut);
    }
    cuts.emplace_back(n1, n2);
    return cuts;
}

}  // namespace rs
