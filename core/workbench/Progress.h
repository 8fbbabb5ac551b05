#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace rs {

// Texts of the progress window.
inline constexpr std::string_view kTextLoading = "Loading your data into memory ... Please be patient";
inline constexpr std::string_view kTextPreparing =
    "Preparing your data. Please be patient as this is a large number of lines ...";
inline constexpr std::string_view kTextProcessing = "Processing. Please be patient...";
inline constexpr std::string_view kPrefixProcessing = "Processing. Please be patient ... ";
inline constexpr std::string_view kPrefixEvaluating = "Evaluating your data ... ";
inline constexpr std::string_view kPrefixWriting = "Writing your results ... ";
inline constexpr std::string_view kSuffixComplete = "% complete";

// The progress window as the operations see it.
class Progress {
public:
    virtual ~Progress() = default;
    // Sets the text, shows the window and lets pending events run once.
    virtual void start(std::string_view text) = 0;
    // Sets the text (if it changed) and lets pending events run.
    virtual void update(std::string_view text) = 0;
    // Lets pending events run if enough time has passed since they last did.
    virtual void pump() {}
    // Hides the window.
    virtual void end() = 0;
};

// The counters of the progress percentages, which every run that shows them is handed.
struct RunCounters {
    std::int32_t InputLineCount = 0;   // rows of the current input at its last load: the divisor
    std::int32_t RowCounter = 0;       // rows read so far by the running main-window operation
    std::int32_t ProgressPercent = 0;  // the percentage shown last
};

// A progress that shows nothing, for tests and the benchmark.
class NullProgress : public Progress {
public:
    void start(std::string_view) override {}
    void update(std::string_view) override {}
    void end() override {}
};

// k of total in percent, rounded to the nearest integer with ties to even, worked out
// in long double as the users' figures have always been. total must not be 0.
std::int32_t PercentOf(std::int64_t k, std::int32_t total);

// Reports "<prefix>P% complete" after each row, k of counters.InputLineCount. Only changes
// of the percentage reach the window; counters.ProgressPercent follows every row. With a
// divisor of 0 the start text stays.
class PercentReporter {
public:
    PercentReporter(Progress& progress, std::string_view prefix, RunCounters& counters);
    void row(std::int64_t k) {
        if ((++ticks_ & 4095) == 0) progress_.pump();
        if (k < nextCheck_ || divisor_ == 0) return;
        recompute(k);
    }

private:
    void recompute(std::int64_t k);

    Progress& progress_;
    RunCounters& counters_;
    std::string text_;
    std::size_t prefixLen_;
    std::int32_t divisor_;
    std::int32_t shown_ = INT32_MIN;
    std::int64_t nextCheck_ = INT64_MIN;
    std::uint32_t ticks_ = 0;
};

// One stage of a run spread over threads: the threads count the rows they have done, and the
// thread that owns the window shows them as "<prefix>P% complete".
struct ProgressStage {
    std::string_view prefix;
    std::int64_t rows = 0;  // the stage is over once done reaches this
    std::atomic<std::int64_t> done{0};
};

// Runs work on the worker threads and meanwhile, on this thread, lets events run and shows
// stage after stage the percentages that a run going row by row shows for the rows done so
// far, each of them in turn. What work throws is thrown here.
void RunWithStages(Progress& progress, RunCounters& counters, std::span<ProgressStage> stages,
                   const std::function<void()>& work);

}  // namespace rs
