#include "TickRun.h"

#include <gtest/gtest.h>

namespace {
// Feeds ticks every `period` ms from `start`, message indexes as given (the last
// one repeated), until the run completes or `limit` ticks have gone in.
int feed(TickRun& run, double start, double period, std::vector<int> messages, int limit = 1000) {
    for (int i = 0; i < limit; ++i) {
        const double at = start + period * i;
        const int message = messages[std::min<std::size_t>(std::size_t(i), messages.size() - 1)];
        if (run.add({at, at, message, at})) return i + 1;
    }
    return limit;
}
} // namespace

TEST(PeriodRun, LeavesOutTheWarmUpCountedFromTheFirstTick) {
    TickRun run(TickRun::Period{100, 50});
    const int fed = feed(run, 5000, 10, {0});
    ASSERT_TRUE(run.complete());
    ASSERT_EQ(run.ticks().size(), 6u);
    EXPECT_DOUBLE_EQ(run.ticks().front().at, 5100);
    EXPECT_DOUBLE_EQ(run.ticks().back().at, 5150);
    EXPECT_EQ(fed, 16);
}

TEST(PeriodRun, KeepsNothingOnceComplete) {
    TickRun run(TickRun::Period{0, 20});
    feed(run, 0, 10, {0});
    const auto kept = run.ticks().size();
    EXPECT_TRUE(run.add({1000, 1000, 0, 1000}));
    EXPECT_EQ(run.ticks().size(), kept);
}

TEST(CycleRun, EndsWithTheTickAfterMessageZeroReturns) {
    TickRun run(TickRun::Cycle{1e9});
    // Two ticks on message 0, two on 1, the return tick, then one more.
    const int fed = feed(run, 50, 50, {0, 0, 1, 1, 0, 0, 0, 0});
    EXPECT_EQ(fed, 6);
    ASSERT_EQ(run.ticks().size(), 6u);
    EXPECT_DOUBLE_EQ(*firstCycleSpan(run.ticks()), 300.0 - 50.0);
}

TEST(CycleRun, KeepsTheFirstTickThereIsNoWarmUp) {
    TickRun run(TickRun::Cycle{1e9});
    feed(run, 50, 50, {0, 1, 0, 0});
    EXPECT_DOUBLE_EQ(run.ticks().front().at, 50);
}

TEST(CycleRun, GivesUpWhenMessageZeroNeverComesBack) {
    TickRun run(TickRun::Cycle{100});
    const int fed = feed(run, 0, 10, {0, 1});
    EXPECT_TRUE(run.complete());
    EXPECT_EQ(fed, 12); // the first tick past 100 ms
    EXPECT_FALSE(firstCycleSpan(run.ticks()));
}
