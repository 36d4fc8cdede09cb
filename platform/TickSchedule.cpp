#include "TickSchedule.h"

#include <algorithm>

void TickSchedule::setEnabled(bool enabled, Clock::time_point now) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    reschedule(now);
}

void TickSchedule::setInterval(int milliseconds, Clock::time_point now) {
    interval_ = std::max(0, milliseconds);
    reschedule(inTick_ ? due_ : now);
}

void TickSchedule::reschedule(Clock::time_point from) {
    deadline_ = from + std::chrono::milliseconds(interval_);
    if (inTick_) rescheduledInTick_ = true;
}

bool TickSchedule::beginTick() {
    if (!isRunning() || inTick_) return false;
    due_ = deadline_;
    inTick_ = true;
    rescheduledInTick_ = false;
    return true;
}

void TickSchedule::endTick(Clock::time_point now) {
    inTick_ = false;
    if (!rescheduledInTick_) deadline_ = due_ + std::chrono::milliseconds(interval_);
    if (now - deadline_ > kMaxBacklog) deadline_ = now + std::chrono::milliseconds(interval_);
}
