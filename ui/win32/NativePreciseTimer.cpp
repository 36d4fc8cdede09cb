#include "NativePreciseTimer.h"

#include <timeapi.h>

#include <unordered_map>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {
using Clock = TickSchedule::Clock;
constexpr long long kHundredNanosecondsPerSecond = 10'000'000;
constexpr UINT kClockPeriodMs = 1;

// The thread timers of the modal scopes, by id: a TIMERPROC gets no context.
std::unordered_map<UINT_PTR, NativePreciseTimer*>& modalTimers() {
    static std::unordered_map<UINT_PTR, NativePreciseTimer*> timers;
    return timers;
}
} // namespace

NativePreciseTimer::NativePreciseTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_) {
        // Before Windows 10 1803: a plain waitable timer, with the system clock
        // at its finest rate while the program runs.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        raisedClockRate_ = timeBeginPeriod(kClockPeriodMs) == TIMERR_NOERROR;
    }
}

NativePreciseTimer::~NativePreciseTimer() {
    if (modalTimer_) {
        KillTimer(nullptr, modalTimer_);
        modalTimers().erase(modalTimer_);
    }
    if (timer_) CloseHandle(timer_);
    if (raisedClockRate_) timeEndPeriod(kClockPeriodMs);
}

void NativePreciseTimer::setEnabled(bool enabled) {
    schedule_.setEnabled(enabled, Clock::now());
    arm();
}

void NativePreciseTimer::setInterval(int milliseconds) {
    schedule_.setInterval(milliseconds, Clock::now());
    arm();
}

// Armed with the time left until the deadline; a wake-up that comes early is
// re-armed by poll(), so the tick never runs before it is due.
void NativePreciseTimer::arm() {
    if (!timer_) return;
    if (!schedule_.isRunning()) {
        CancelWaitableTimer(timer_);
        return;
    }
    const auto left = schedule_.deadline() - Clock::now();
    const long long units =
        std::chrono::ceil<
            std::chrono::duration<long long, std::ratio<1, kHundredNanosecondsPerSecond>>>(left)
            .count();
    LARGE_INTEGER due;
    due.QuadPart = -std::max(1LL, units); // negative: relative to now
    SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
}

void NativePreciseTimer::onSignalled() {
    if (schedule_.isDue(Clock::now()))
        poll();
    else
        arm(); // woke early
}

void NativePreciseTimer::poll() {
    if (!schedule_.isDue(Clock::now()) || !schedule_.beginTick()) return;
    onTick_();
    schedule_.endTick(Clock::now());
    arm();
}

void CALLBACK NativePreciseTimer::modalTick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = modalTimers().find(id);
    if (found != modalTimers().end()) found->second->poll();
}

void NativePreciseTimer::enterModalLoop() {
    if (modalDepth_++ > 0) return;
    modalTimer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &NativePreciseTimer::modalTick);
    if (modalTimer_) modalTimers()[modalTimer_] = this;
}

void NativePreciseTimer::leaveModalLoop() {
    if (modalDepth_ == 0 || --modalDepth_ > 0 || !modalTimer_) return;
    KillTimer(nullptr, modalTimer_);
    modalTimers().erase(modalTimer_);
    modalTimer_ = 0;
}
