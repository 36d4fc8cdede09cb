#pragma once
// A timer that runs Timer every interval while it is enabled. Its average rate
// matches the interval even at 1 ms: ticks handled late do not shift every
// later tick. An interval of 0 means "not set yet" and keeps it from firing.
// Setting the interval inside Timer keeps the rhythm (the next tick is one new
// interval after the current one was due); from outside, the count starts now.

#include "ControlEvent.h"

class IntervalTimer {
public:
    virtual ~IntervalTimer() = default;

    virtual int interval() const = 0; // milliseconds
    virtual void setInterval(int milliseconds) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    bool isRunning() const { return isEnabled() && interval() > 0; }

    ControlEvent Timer;
};
