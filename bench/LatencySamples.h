// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

namespace tiklo::bench {

template <typename TimePoint> double millisecondsBetween(TimePoint from, TimePoint to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The value below which `share` of the samples lie, nearest rank.
inline double percentile(std::vector<double> samples, double share) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(share * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

// Each iteration's time as the iteration's manual time (the reported time is their mean), and
// their median, 99th percentile (with `p99`) and slowest as counters in `unit`. One run of many
// iterations rather than repetitions: Google Benchmark 1.7 aborts or crashes computing the
// aggregates of repetitions of which some failed.
class Samples {
public:
    Samples(benchmark::State& state, double perSecond, std::string unit, bool p99 = false)
        : state_(state), perSecond_(perSecond), unit_(std::move(unit)), p99_(p99) {
        values_.reserve(static_cast<std::size_t>(state.max_iterations));
    }
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;

    void add(double value) {
        values_.push_back(value);
        state_.SetIterationTime(value / perSecond_);
    }

    ~Samples() {
        if (values_.empty()) {
            return;
        }
        state_.counters["median_" + unit_] = percentile(values_, 0.5);
        if (p99_) {
            state_.counters["p99_" + unit_] = percentile(values_, 0.99);
        }
        state_.counters["max_" + unit_] = percentile(values_, 1.0);
    }

private:
    benchmark::State& state_;
    double perSecond_;
    std::string unit_;
    bool p99_;
    std::vector<double> values_;
};

} // namespace tiklo::bench
