#pragma once
// The behaviour's interval timer on the precise timer.

#include "IntervalTimer.h"
#include "NativePreciseTimer.h"

class NativeTimer : public IntervalTimer {
public:
    NativeTimer() : timer_([this] { raiseGuardedEvent(Timer); }) {}

    int interval() const override { return timer_.interval(); }
    void setInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    bool isEnabled() const override { return timer_.isEnabled(); }
    void setEnabled(bool enabled) override { timer_.setEnabled(enabled); }

    NativePreciseTimer& precise() { return timer_; }

private:
    NativePreciseTimer timer_;
};
