#pragma once
// The progress window's timer on Qt. Unlike a plain QTimer it keeps its own schedule of
// absolute deadlines, so that a tick handled late does not push every later tick
// back: the average rate matches the interval even at 1 ms, and a whole cycle of
// message changes takes as long as the sum of its intervals.
//
// It runs only while it is enabled and has a non-zero interval. Setting the
// interval from outside a tick restarts the count from now, while a tick that
// sets it (a message change) keeps the rhythm: the next tick comes one new
// interval after the tick that set it was due.

#include "IntervalTimer.h"

#include <QObject>

#include <chrono>
#include <memory>

class PreciseTimer : public QObject, public IntervalTimer {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    explicit PreciseTimer(QObject* parent = nullptr);
    ~PreciseTimer() override;

    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;

    // Milliseconds; 0 means "not set yet" and keeps the timer from firing.
    int interval() const override { return interval_; }
    void setInterval(int milliseconds) override;

    // When the next tick is due; inside a tick, when that tick was due. For the
    // timing benchmark, which measures lateness against it.
    Clock::time_point deadline() const { return inTick_ ? due_ : deadline_; }

    // A tick that falls further behind its deadline than this is not caught up
    // tick by tick: the schedule starts afresh from now (after a stopped process,
    // say), instead of firing a burst of stale ticks.
    static constexpr std::chrono::milliseconds kMaxBacklog{100};

signals:
    // Every tick, just before the Timer event runs.
    void timeout();

private:
    class Waker;

    void reschedule(Clock::time_point from);
    void fire();

    std::unique_ptr<Waker> waker_;
    bool enabled_ = false;
    int interval_ = 0;
    bool inTick_ = false;
    bool rescheduledInTick_ = false;
    Clock::time_point deadline_{}; // when the next tick is due
    Clock::time_point due_{};      // when the tick being handled was due
};
