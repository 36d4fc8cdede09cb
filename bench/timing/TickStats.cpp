#include "TickStats.h"

#include <algorithm>
#include <cmath>

std::optional<double> meanPeriod(const std::vector<Tick>& ticks) {
    if (ticks.size() < 2) return std::nullopt;
    return (ticks.back().at - ticks.front().at) / static_cast<double>(ticks.size() - 1);
}

std::optional<double> ticksPerSecond(const std::vector<Tick>& ticks) {
    const auto period = meanPeriod(ticks);
    if (!period || *period <= 0) return std::nullopt;
    return 1000.0 / *period;
}

std::optional<double> percentile(std::vector<double> values, double p) {
    if (values.empty() || p <= 0 || p > 100) return std::nullopt;
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    const auto index = std::clamp<std::size_t>(rank, 1, values.size()) - 1;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index),
                     values.end());
    return values[index];
}

std::vector<double> latenesses(const std::vector<Tick>& ticks) {
    std::vector<double> late;
    late.reserve(ticks.size());
    for (const Tick& tick : ticks)
        late.push_back(tick.lateness());
    return late;
}

std::vector<double> handlingTimes(const std::vector<Tick>& ticks) {
    std::vector<double> times;
    times.reserve(ticks.size());
    for (const Tick& tick : ticks)
        times.push_back(tick.handling());
    return times;
}

int scheduleRestarts(const std::vector<Tick>& ticks, double intervalMs) {
    // Deadlines are exact sums of whole milliseconds; allow for the rounding of
    // converting them to floating point.
    constexpr double kTolerance = 1e-3;
    int restarts = 0;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        if (std::abs(ticks[i].deadline - ticks[i - 1].deadline - intervalMs) > kTolerance)
            ++restarts;
    return restarts;
}

std::optional<double> firstCycleSpan(const std::vector<Tick>& ticks) {
    for (std::size_t i = 1; i + 1 < ticks.size(); ++i)
        if (ticks[i].msgIndex == 0 && ticks[i - 1].msgIndex != 0)
            return ticks[i + 1].at - ticks.front().at;
    return std::nullopt;
}
