#pragma once
// The deadline rules of the progress window's timer, apart from any way of
// waiting: absolute deadlines, so that a tick handled late does not push every
// later tick back and the average rate matches the interval even at 1 ms.
//
// It runs only while enabled with a non-zero interval. Setting the interval from
// outside a tick restarts the count from then; a tick that sets it (a message
// change) keeps the rhythm: the next tick is due one new interval after the
// tick that set it was due. A tick more than kMaxBacklog behind its deadline
// starts the schedule afresh instead of firing a burst of stale ticks.
//
// Every call takes the current time, so the rules are tested without waiting.

#include <chrono>

class TickSchedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kMaxBacklog{100};

    bool isEnabled() const { return enabled_; }
    int interval() const { return interval_; }
    bool isRunning() const { return enabled_ && interval_ > 0; }
    // Between beginTick and endTick: the tick's handler is running.
    bool isInTick() const { return inTick_; }

    void setEnabled(bool enabled, Clock::time_point now);
    // Milliseconds; 0 and below mean "not set" and keep the timer from firing.
    void setInterval(int milliseconds, Clock::time_point now);

    // When the next tick is due; inside a tick, when that tick was due.
    Clock::time_point deadline() const { return inTick_ ? due_ : deadline_; }
    bool isDue(Clock::time_point now) const { return isRunning() && !inTick_ && now >= deadline_; }

    // Around the tick's handler: begin returns false (and the handler must not
    // run) when the timer is not running or already inside a tick.
    bool beginTick();
    void endTick(Clock::time_point now);

private:
    void reschedule(Clock::time_point from);

    bool enabled_ = false;
    int interval_ = 0;
    bool inTick_ = false;
    bool rescheduledInTick_ = false;
    Clock::time_point deadline_{};
    Clock::time_point due_{};
};
