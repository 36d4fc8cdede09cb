// The precise timer in a real message loop: it ticks while the program's loop
// waits, and a modal scope keeps it ticking inside a loop of the system's.
// Counts only, no timing: the machine may be slow.
#include "NativePreciseTimer.h"
#include "FramePace.h"
#include "MessageLoop.h"

#include <gtest/gtest.h>

namespace {
constexpr int kTicks = 5;

TEST(NativePreciseTimer, TicksInTheProgramsMessageLoopUntilStopped) {
    int ticks = 0;
    NativePreciseTimer* self = nullptr;
    NativePreciseTimer timer([&] {
        if (++ticks == kTicks) {
            self->setEnabled(false);
            PostQuitMessage(7);
        }
    });
    self = &timer;
    timer.setInterval(1);
    timer.setEnabled(true);
    FramePace frames;
    EXPECT_EQ(runMessageLoop(timer, frames), 7);
    EXPECT_EQ(ticks, kTicks);
}

TEST(NativePreciseTimer, ModalScopeKeepsTicksComingInsideAnotherLoop) {
    int ticks = 0;
    NativePreciseTimer timer([&] {
        if (++ticks == kTicks) PostQuitMessage(0);
    });
    timer.setInterval(1);
    timer.setEnabled(true);
    {
        // A loop like a message box's: it knows nothing of the waitable timer.
        const NativePreciseTimer::ModalScope scope(timer);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }
    EXPECT_EQ(ticks, kTicks);
}
} // namespace
