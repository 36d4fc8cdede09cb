// The timer's deadline rules, with the clock handed in: no waiting, no timing.
#include "TickSchedule.h"

#include <gtest/gtest.h>

namespace {
using Clock = TickSchedule::Clock;
using std::chrono::milliseconds;

const Clock::time_point t0 = Clock::time_point{} + std::chrono::hours(1);

// Runs one tick that ends at `end`, calling `inside` while it runs.
template <class Inside> void tick(TickSchedule& schedule, Clock::time_point end, Inside inside) {
    ASSERT_TRUE(schedule.beginTick());
    inside();
    schedule.endTick(end);
}
void tick(TickSchedule& schedule, Clock::time_point end) {
    tick(schedule, end, [] {});
}

TEST(TickSchedule, RunsOnlyWhenEnabledWithAnInterval) {
    struct Case {
        bool enabled;
        int interval;
        bool running;
    };
    for (const Case c : {Case{false, 50, false}, Case{true, 0, false}, Case{true, -5, false},
                         Case{true, 1, true}}) {
        TickSchedule schedule;
        schedule.setInterval(c.interval, t0);
        schedule.setEnabled(c.enabled, t0);
        EXPECT_EQ(schedule.isRunning(), c.running) << c.enabled << " " << c.interval;
        EXPECT_EQ(schedule.isDue(t0 + std::chrono::hours(1)), c.running);
        EXPECT_EQ(schedule.beginTick(), c.running);
    }
}

TEST(TickSchedule, LateTicksDoNotShiftTheLaterOnes) {
    TickSchedule schedule;
    schedule.setInterval(10, t0);
    schedule.setEnabled(true, t0);
    EXPECT_FALSE(schedule.isDue(t0 + milliseconds(9)));
    EXPECT_TRUE(schedule.isDue(t0 + milliseconds(10)));
    tick(schedule, t0 + milliseconds(17)); // handled 7 ms late
    EXPECT_EQ(schedule.deadline(), t0 + milliseconds(20));
    tick(schedule, t0 + milliseconds(21));
    EXPECT_EQ(schedule.deadline(), t0 + milliseconds(30));
}

TEST(TickSchedule, IntervalSetInsideATickKeepsTheRhythm) {
    TickSchedule schedule;
    schedule.setInterval(50, t0);
    schedule.setEnabled(true, t0);
    // The tick due at 50 runs at 53 and switches to 200 ms.
    tick(schedule, t0 + milliseconds(53), [&] {
        EXPECT_EQ(schedule.deadline(), t0 + milliseconds(50)); // inside: when this one was due
        schedule.setInterval(200, t0 + milliseconds(52));
    });
    EXPECT_EQ(schedule.deadline(), t0 + milliseconds(250));
}

TEST(TickSchedule, IntervalSetOutsideATickCountsFromThen) {
    TickSchedule schedule;
    schedule.setInterval(50, t0);
    schedule.setEnabled(true, t0);
    schedule.setInterval(400, t0 + milliseconds(30));
    EXPECT_EQ(schedule.deadline(), t0 + milliseconds(430));
    schedule.setEnabled(false, t0 + milliseconds(40));
    schedule.setEnabled(true, t0 + milliseconds(100));
    EXPECT_EQ(schedule.deadline(), t0 + milliseconds(500));
}

TEST(TickSchedule, TickFarBehindStartsTheScheduleAfresh) {
    struct Case {
        int endMs;
        int nextDeadlineMs;
    };
    // Due at 10, next due at 20: within the backlog it is caught up tick by
    // tick; past it (a stopped process, say) it counts from the tick's end.
    for (const Case c : {Case{110, 20}, Case{120, 20}, Case{121, 131}, Case{5000, 5010}}) {
        TickSchedule schedule;
        schedule.setInterval(10, t0);
        schedule.setEnabled(true, t0);
        tick(schedule, t0 + milliseconds(c.endMs));
        EXPECT_EQ(schedule.deadline(), t0 + milliseconds(c.nextDeadlineMs))
            << "ended at " << c.endMs;
    }
}

TEST(TickSchedule, HandlerThatStopsTheTimerEndsTheTicks) {
    TickSchedule schedule;
    schedule.setInterval(10, t0);
    schedule.setEnabled(true, t0);
    tick(schedule, t0 + milliseconds(11), [&] {
        EXPECT_FALSE(schedule.beginTick()) << "no tick inside a tick";
        schedule.setEnabled(false, t0 + milliseconds(10));
    });
    EXPECT_FALSE(schedule.isDue(t0 + std::chrono::hours(1)));
}
} // namespace
