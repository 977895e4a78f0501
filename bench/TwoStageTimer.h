#pragma once
// The timing shared by the ratio benchmarks: two stages of each iteration timed apart (the
// decoding a file and the work on what it gives), reported per iteration with their ratio.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <utility>

class TwoStageTimer {
public:
    // Runs f as the first or the second stage and returns what it returns.
    template <class F> decltype(auto) first(F&& f) { return timed(first_, std::forward<F>(f)); }
    template <class F> decltype(auto) second(F&& f) { return timed(second_, std::forward<F>(f)); }

    // Counters "<first>_ms" and "<second>_ms", the means per iteration, and "ratio", second
    // over first (0 when nothing was timed).
    void report(benchmark::State& state, const std::string& first,
                const std::string& second) const {
        const double n = double(state.iterations());
        state.counters[first + "_ms"] = n > 0 ? first_ / n * 1e3 : 0.0;
        state.counters[second + "_ms"] = n > 0 ? second_ / n * 1e3 : 0.0;
        state.counters["ratio"] = first_ > 0 ? second_ / first_ : 0.0;
    }

private:
    using Clock = std::chrono::steady_clock;

    template <class F> static decltype(auto) timed(double& total, F&& f) {
        struct Stop {
            double& total;
            Clock::time_point start = Clock::now();
            ~Stop() { total += std::chrono::duration<double>(Clock::now() - start).count(); }
        } stop{total};
        return std::forward<F>(f)();
    }

    double first_ = 0, second_ = 0; // seconds
};
