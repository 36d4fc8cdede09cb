#include "TickStats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {
std::vector<Tick> ticksAt(std::initializer_list<double> times) {
    std::vector<Tick> ticks;
    for (double at : times)
        ticks.push_back({at, at, 0});
    return ticks;
}

// A run of the message cycle: for each message index, how many ticks show it.
std::vector<Tick> cycle(std::initializer_list<std::pair<int, int>> shown, double period = 10) {
    std::vector<Tick> ticks;
    for (const auto& [message, count] : shown)
        for (int i = 0; i < count; ++i) {
            const double at = period * static_cast<double>(ticks.size() + 1);
            ticks.push_back({at, at, message});
        }
    return ticks;
}
} // namespace

TEST(TickPeriod, IsTheSpanOverTheGapsNotTheAverageOfTheTicksTimes) {
    EXPECT_DOUBLE_EQ(*meanPeriod(ticksAt({100, 103, 104, 130})), 10.0);
    EXPECT_DOUBLE_EQ(*ticksPerSecond(ticksAt({100, 103, 104, 130})), 100.0);
}

TEST(TickPeriod, NeedsTwoTicks) {
    EXPECT_FALSE(meanPeriod(ticksAt({5})));
    EXPECT_FALSE(ticksPerSecond(ticksAt({})));
    EXPECT_FALSE(ticksPerSecond(ticksAt({5, 5})));
}

TEST(Percentile, TakesTheNearestRankOfUnsortedValues) {
    std::vector<double> values(200);
    std::iota(values.begin(), values.end(), 1.0);
    std::shuffle(values.begin(), values.end(), std::mt19937(7));
    EXPECT_DOUBLE_EQ(*percentile(values, 99), 198.0);
    EXPECT_DOUBLE_EQ(*percentile(values, 50), 100.0);
    EXPECT_DOUBLE_EQ(*percentile(values, 100), 200.0);
    EXPECT_DOUBLE_EQ(*percentile(values, 0.1), 1.0);
}

TEST(Percentile, OfOneValueIsThatValueAndOfNoneIsNothing) {
    EXPECT_DOUBLE_EQ(*percentile({-2.5}, 99), -2.5);
    EXPECT_FALSE(percentile({}, 99));
    EXPECT_FALSE(percentile({1, 2}, 0));
    EXPECT_FALSE(percentile({1, 2}, 101));
}

TEST(Lateness, RunsFromTheDeadlineToTheStartOfHandlingNotItsEnd) {
    const std::vector<Tick> ticks{{10.5, 10, 0, 11.5}, {19.75, 20, 0, 19.75}};
    EXPECT_EQ(latenesses(ticks), (std::vector<double>{0.5, -0.25}));
    EXPECT_EQ(handlingTimes(ticks), (std::vector<double>{1.0, 0.0}));
}

TEST(ScheduleRestarts, CountsDeadlinesThatBreakTheRhythm) {
    const std::vector<Tick> ticks{{0, 0, 0},   {1, 50, 0},  {2, 100, 0},
                                  {3, 320, 0}, {4, 370, 0}, {5, 419, 0}};
    EXPECT_EQ(scheduleRestarts(ticks, 50), 2);
}

TEST(ScheduleRestarts, NoneInAnEvenRhythmOfWholeMilliseconds) {
    std::vector<Tick> ticks;
    for (int i = 0; i < 100000; ++i)
        ticks.push_back({0, 1e7 + i, 0});
    EXPECT_EQ(scheduleRestarts(ticks, 1), 0);
}

TEST(CycleSpan, RunsFromTheFirstTickToTheTickAfterMessageZeroReturns) {
    // Ticks every 10 ms: 3 on message 0, 2 on message 1, 2 on message 2, then the
    // return tick (message 0) at 80 ms and the one after it at 90 ms.
    const auto ticks = cycle({{0, 3}, {1, 2}, {2, 2}, {0, 3}});
    EXPECT_DOUBLE_EQ(*firstCycleSpan(ticks), 90.0 - 10.0);
}

TEST(CycleSpan, NeedsTheTickAfterTheReturn) {
    EXPECT_FALSE(firstCycleSpan(cycle({{0, 3}, {1, 2}, {0, 1}})));
    EXPECT_FALSE(firstCycleSpan(cycle({{0, 3}, {1, 2}, {2, 5}})));
    EXPECT_FALSE(firstCycleSpan(cycle({{0, 50}})));
}

TEST(CycleSpan, TakesTheFirstReturnNotALaterOne) {
    const auto ticks = cycle({{0, 1}, {1, 1}, {0, 2}, {1, 1}, {0, 2}});
    EXPECT_DOUBLE_EQ(*firstCycleSpan(ticks), 40.0 - 10.0);
}
