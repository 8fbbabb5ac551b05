#include "core/platform/Parallel.h"

#include <oneapi/tbb/task_arena.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
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
    std::exception_ptr idleFailure;
    try {
        idle();
        std::unique_lock<std::mutex> lock(m);
        while (!cv.wait_for(lock, std::chrono::milliseconds(15), [&] { return over; })) {
            lock.unlock();
            idle();
            lock.lock();
        }
    } catch (...) {
        // The work cannot be stopped from here: it ends first, then idle's failure goes on.
        idleFailure = std::current_exception();
    }
    worker.join();
    if (idleFailure) std::rethrow_exception(idleFailure);
    if (failure) std::rethrow_exception(failure);
}

namespace detail {

// One run of WriteParts. Its threads take the part numbers in order, and a thread waits only
// for parts older than its own, so the oldest unwritten part is always held by a thread that
// goes on: every wait ends. (Tasks of a pool could sit waiting while that part has not started.)
class PartRun {
public:
    using Fill = std::function<void(std::size_t, PartText&)>;
    PartRun(TextWriter& out, std::size_t count, std::size_t window, const Fill& fill)
        : out_(out), count_(count), window_(window), fill_(fill), finished_(window), ready_(window, 0) {}

    // Takes parts until there are none left or the run has stopped; never throws.
    void work() noexcept {
        PartText text;
        text.run_ = this;
        text.limit_ = kPartHeld;
        try {
            for (;;) {
                {
                    std::unique_lock<std::mutex> lock(m_);
                    if (stopped_ || next_ == count_) return;
                    text.part_ = next_++;
                    // Parts too far ahead would only wait, held, for their turn.
                    cv_.wait(lock, [&] { return stopped_ || text.part_ < written_ + window_; });
                    if (stopped_) return;
                    text.text_.clear();
                    if (!spare_.empty()) {
                        text.text_ = std::move(spare_.back());
                        spare_.pop_back();
                    }
                }
                // Texts are reused once written, so their memory is not faulted in anew.
                text.text_.reserve(kPartHeld);
                fill_(text.part_, text);
                finish(text.part_, text.text_);
            }
        } catch (const Stopped&) {
        } catch (...) {
            stop(std::current_exception());
        }
    }

    // The part's text is full: once every part before it is written, the part writes its own.
    void handOn(PartText& t, std::string_view s) {
        {
            std::unique_lock<std::mutex> lock(m_);
            cv_.wait(lock, [&] { return stopped_ || written_ == t.part_; });
            if (stopped_) throw Stopped();
        }
        out_.write(t.text_);
        out_.write(s);
        t.text_.clear();
    }

    std::exception_ptr failure() const { return failure_; }

private:
    struct Stopped {};  // ends a fill once another thread has failed

    void stop(std::exception_ptr e) {
        std::lock_guard<std::mutex> lock(m_);
        if (!failure_) failure_ = std::move(e);
        stopped_ = true;
        cv_.notify_all();
    }

    // The oldest part writes itself and every finished part after it; a later one waits its turn.
    void finish(std::size_t k, std::string& text) {
        std::unique_lock<std::mutex> lock(m_);
        if (stopped_) return;
        if (k != written_) {
            finished_[k % window_] = std::move(text);
            ready_[k % window_] = 1;
            return;
        }
        std::string mine = std::move(text);
        for (;;) {
            lock.unlock();
            out_.write(mine);
            mine.clear();
            lock.lock();
            spare_.push_back(std::move(mine));
            ++written_;
            cv_.notify_all();
            const std::size_t slot = written_ % window_;
            if (stopped_ || written_ == count_ || !ready_[slot]) return;
            mine = std::move(finished_[slot]);
            ready_[slot] = 0;
        }
    }

    TextWriter& out_;
    const std::size_t count_;
    const std::size_t window_;
    const Fill& fill_;
    std::mutex m_;
    std::condition_variable cv_;
    std::size_t next_ = 0;     // the next part to take
    std::size_t written_ = 0;  // parts written so far
    bool stopped_ = false;
    std::exception_ptr failure_;
    std::vector<std::string> finished_;  // parts waiting their turn, at k % window
    std::vector<char> ready_;
    std::vector<std::string> spare_;
};

}  // namespace detail

void PartText::handOn(std::string_view s) {
    if (run_)
        run_->handOn(*this, s);
    else
        text_.append(s);
}

void WriteParts(TextWriter& out, std::size_t count, const std::function<void(std::size_t, PartText&)>& fill) {
    if (count == 0) return;
    const auto cores = static_cast<std::size_t>(std::max(1, oneapi::tbb::this_task_arena::max_concurrency()));
    detail::PartRun run(out, count, 2 * cores, fill);
    std::vector<std::thread> helpers;
    helpers.reserve(cores);
    try {
        for (std::size_t i = 1; i < std::min(cores, count); ++i) helpers.emplace_back([&run] { run.work(); });
    } catch (const std::system_error&) {
        // Fewer threads do the same work.
    }
    run.work();
    for (std::thread& h : helpers) h.join();
    if (run.failure()) std::rethrow_exception(run.failure());
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
