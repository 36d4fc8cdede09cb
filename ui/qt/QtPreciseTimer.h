#pragma once
// The progress window's timer on Qt: the deadline rules of TickSchedule, woken
// at each absolute deadline. Unlike a plain QTimer a tick handled late does not
// push every later tick back: the average rate matches the interval even at
// 1 ms, and a whole cycle of message changes takes as long as the sum of its
// intervals.

#include "IntervalTimer.h"
#include "TickSchedule.h"

#include <QObject>

#include <memory>

class QtPreciseTimer : public QObject, public IntervalTimer {
    Q_OBJECT
public:
    using Clock = TickSchedule::Clock;

    explicit QtPreciseTimer(QObject* parent = nullptr);
    ~QtPreciseTimer() override;

    bool isEnabled() const override { return schedule_.isEnabled(); }
    void setEnabled(bool enabled) override;

    // Milliseconds; 0 means "not set yet" and keeps the timer from firing.
    int interval() const override { return schedule_.interval(); }
    void setInterval(int milliseconds) override;

    // When the next tick is due; inside a tick, when that tick was due. For the
    // timing benchmark, which measures lateness against it.
    Clock::time_point deadline() const { return schedule_.deadline(); }

signals:
    // Every tick, just before the Timer event runs.
    void timeout();

private:
    class Waker;

    void arm();
    void fire();

    std::unique_ptr<Waker> waker_;
    TickSchedule schedule_;
};
