// The progress timer's schedule. Nothing here asserts how long anything took:
// the checks are on the deadlines the timer computes.
#include "QtPreciseTimer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = QtPreciseTimer::Clock;

TEST(QtPreciseTimer, RunsOnlyWhenEnabledWithAnInterval) {
    QtPreciseTimer timer;
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    timer.setEnabled(true);
    EXPECT_FALSE(timer.isRunning()) << "interval 0 means not set";
    QTest::qWait(30);
    EXPECT_EQ(ticks.count(), 0);

    timer.setInterval(2);
    EXPECT_TRUE(timer.isRunning());
    EXPECT_TRUE(ticks.wait(5000));
    timer.setEnabled(false);
    const int seen = ticks.count();
    QTest::qWait(30);
    EXPECT_EQ(ticks.count(), seen) << "disabled: no more ticks";
}

TEST(QtPreciseTimer, ATickThatChangesTheIntervalKeepsTheRhythm) {
    QtPreciseTimer timer;
    Clock::time_point due{};
    QObject::connect(&timer, &QtPreciseTimer::timeout, [&] {
        due = timer.deadline();
        timer.setInterval(40000);
        timer.setInterval(30000); // the last change counts, from the same tick
    });
    timer.setInterval(1);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_EQ(timer.interval(), 30000);
    EXPECT_EQ(timer.deadline(), due + 30000ms)
        << "counted from when the tick was due, not from now";
}

TEST(QtPreciseTimer, NextTickIsOneIntervalAfterTheLastWasDue) {
    QtPreciseTimer timer;
    struct Tick {
        Clock::time_point due, ended;
    };
    std::vector<Tick> ticksSeen;
    QObject::connect(&timer, &QtPreciseTimer::timeout, [&] {
        if (ticksSeen.size() == 1) std::this_thread::sleep_for(3ms); // a slow tick
        ticksSeen.push_back({timer.deadline(), Clock::now()});
        if (ticksSeen.size() == 5) timer.setEnabled(false);
    });
    timer.setInterval(5);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    while (ticksSeen.size() < 5 && ticks.wait(5000)) {
    }
    ASSERT_EQ(ticksSeen.size(), 5u);
    for (std::size_t i = 1; i < ticksSeen.size(); ++i) {
        // A machine that stalls past the backlog limit restarts the schedule
        // after the stalled tick; that is the other rule, checked below.
        const auto step = ticksSeen[i].due - ticksSeen[i - 1].due;
        const bool restarted = ticksSeen[i].due > ticksSeen[i - 1].ended;
        EXPECT_TRUE(step == 5ms || restarted) << "a late tick shifts no later one";
    }
}

TEST(QtPreciseTimer, FarBehindStartsAFreshScheduleInsteadOfABurst) {
    QtPreciseTimer timer;
    Clock::time_point due{};
    QObject::connect(&timer, &QtPreciseTimer::timeout, [&] {
        due = timer.deadline();
        std::this_thread::sleep_for(TickSchedule::kMaxBacklog + 50ms);
    });
    timer.setInterval(1);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_GT(timer.deadline() - due, TickSchedule::kMaxBacklog);
    timer.setEnabled(false);
}

TEST(QtPreciseTimer, SettingTheIntervalFromOutsideRestartsTheCount) {
    QtPreciseTimer timer;
    timer.setEnabled(true);
    timer.setInterval(10000);
    const auto before = Clock::now();
    timer.setInterval(20000);
    EXPECT_GE(timer.deadline(), before + 20000ms);
    EXPECT_LE(timer.deadline(), Clock::now() + 20000ms);
    timer.setInterval(-5);
    EXPECT_FALSE(timer.isRunning()) << "never a zero or negative interval";
}

} // namespace

namespace {

TEST(QtPreciseTimer, RunsTheTimerEventOfItsInterfaceOnEveryTick) {
    QtPreciseTimer timer;
    IntervalTimer& control = timer;
    int events = 0;
    control.Timer = [&] {
        if (++events == 3) control.setEnabled(false);
    };
    control.setInterval(1);
    control.setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return events == 3; }, 5000));
    EXPECT_FALSE(control.isRunning());
}

} // namespace
