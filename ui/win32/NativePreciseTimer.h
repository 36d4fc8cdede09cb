#pragma once
// The progress window's timer on Windows: the deadline rules of TickSchedule,
// woken by a high-resolution waitable timer that the message loop waits on
// beside the window messages (MessageLoop.h). The system's SetTimer ticks no
// faster than every 10 ms and rounds to the ~15.6 ms clock tick; this one
// keeps 1 ms.
//
// While a modal loop of the system runs (a message box, the file dialog, a
// window being dragged) nobody waits on the waitable timer; a ModalScope keeps
// the ticks coming meanwhile through a plain thread timer, at its coarser
// resolution.

#include "TickSchedule.h"

#include <windows.h>

#include <functional>

class NativePreciseTimer {
public:
    explicit NativePreciseTimer(std::function<void()> onTick);
    ~NativePreciseTimer();
    NativePreciseTimer(const NativePreciseTimer&) = delete;
    NativePreciseTimer& operator=(const NativePreciseTimer&) = delete;

    bool isEnabled() const { return schedule_.isEnabled(); }
    void setEnabled(bool enabled);
    int interval() const { return schedule_.interval(); }
    void setInterval(int milliseconds);
    TickSchedule::Clock::time_point deadline() const { return schedule_.deadline(); }

    // For the message loop: the handle to wait on and what to do once it is
    // signalled; poll() runs the tick if one is due, whenever the loop looks.
    HANDLE waitHandle() const { return timer_; }
    void onSignalled();
    void poll();

    // True when the system gave a high-resolution timer.
    bool isHighResolution() const { return highResolution_; }

    // Around a modal loop; they nest.
    void enterModalLoop();
    void leaveModalLoop();

    class ModalScope {
    public:
        explicit ModalScope(NativePreciseTimer& timer) : timer_(timer) { timer_.enterModalLoop(); }
        ~ModalScope() { timer_.leaveModalLoop(); }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        NativePreciseTimer& timer_;
    };

private:
    void arm();
    static void CALLBACK modalTick(HWND, UINT, UINT_PTR, DWORD);

    std::function<void()> onTick_;
    TickSchedule schedule_;
    HANDLE timer_ = nullptr;
    bool highResolution_ = false;
    bool raisedClockRate_ = false;
    int modalDepth_ = 0;
    UINT_PTR modalTimer_ = 0;
};
