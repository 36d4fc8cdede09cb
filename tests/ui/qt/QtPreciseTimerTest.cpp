// The progress timer's schedule. Nothing here asserts how long anything took:
// the checks are on the deadlines the timer computes, and a tick that must not
// come is looked for only once a later one has come.
#include "QtPreciseTimer.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = QtPreciseTimer::Clock;

std::string inMs(Clock::duration duration) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2)
         << std::chrono::duration<double, std::milli>(duration).count() << " ms";
    return text.str();
}

// Runs the event loop until a second timer, started now, has ticked, and one
// pass more. A wake-up of any timer due before the second one is pending by
// then, and a pass of the event loop delivers every pending wake-up: a tick
// that has not come by then is not coming early, however slow the machine.
void runUntilATimerStartedNowTicks(int interval) {
    QtPreciseTimer later;
    QSignalSpy ticked(&later, &QtPreciseTimer::timeout);
    later.setInterval(interval);
    later.setEnabled(true);
    ASSERT_TRUE(ticked.wait(5000)) << "the second timer never ticked";
    QCoreApplication::processEvents();
}

TEST(QtPreciseTimer, RunsOnlyWhenEnabledWithAnInterval) {
    QtPreciseTimer timer;
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    timer.setEnabled(true);
    EXPECT_FALSE(timer.isRunning()) << "interval 0 means not set";
    // Were it armed, it would be due now.
    runUntilATimerStartedNowTicks(1);
    EXPECT_EQ(ticks.count(), 0);

    timer.setInterval(2);
    EXPECT_TRUE(timer.isRunning());
    EXPECT_TRUE(ticks.wait(5000));
    timer.setEnabled(false);
    const int seen = ticks.count();
    // Were it still armed, it would be due within its interval of 2 ms.
    runUntilATimerStartedNowTicks(20);
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
    // Every other tick is slow. A late tick shifts no later one: the next is due
    // one interval after the late one was due. Only a tick ended further than
    // the backlog limit past the next deadline starts the schedule afresh, one
    // interval after that end (the rule checked below), which makes the step
    // longer than two intervals and the backlog. A loaded machine may stall so
    // long at any tick; so the run goes on until several slow ticks were
    // followed by a step that shows the rule, and a step that is neither fails.
    constexpr auto interval = 5ms;
    constexpr std::size_t keptWanted = 4;
    constexpr std::size_t tickLimit = 2000;
    QtPreciseTimer timer;
    struct Tick {
        Clock::time_point due, ended;
        bool slow;
    };
    std::vector<Tick> ticksSeen;
    std::size_t kept = 0; // steps after a slow tick of one interval
    bool wrong = false;
    QObject::connect(&timer, &QtPreciseTimer::timeout, [&] {
        const Tick tick{timer.deadline(), {}, ticksSeen.size() % 2 == 1};
        if (!ticksSeen.empty()) {
            const Tick& last = ticksSeen.back();
            const auto step = tick.due - last.due;
            const bool restarted = step > 2 * interval + TickSchedule::kMaxBacklog &&
                                   tick.due >= last.ended + interval;
            wrong = step != interval && !restarted;
            EXPECT_FALSE(wrong) << "a late tick shifts no later one: tick " << ticksSeen.size()
                                << " was due " << inMs(step)
                                << " after the one before, which ended "
                                << inMs(last.ended - last.due) << " after it was due";
            if (last.slow && step == interval) ++kept;
        }
        if (tick.slow) std::this_thread::sleep_for(3ms);
        ticksSeen.push_back(tick);
        ticksSeen.back().ended = Clock::now();
        if (wrong || kept == keptWanted || ticksSeen.size() == tickLimit) timer.setEnabled(false);
    });
    timer.setInterval(static_cast<int>(interval.count()));
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &QtPreciseTimer::timeout);
    while (timer.isEnabled() && ticks.wait(5000)) {
    }
    if (!wrong) {
        EXPECT_EQ(kept, keptWanted)
            << "of " << ticksSeen.size() << " ticks, every slow one was followed by a fresh start";
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
