#pragma once
// The pace at which the windows show changes: about one frame of the screen.
// At a 1 ms interval a bar moves a thousand times a second; handing each move
// to the control (and drawing it) would take most of the time the ticks have,
// for frames no screen shows. A control keeps its value itself and leaves the
// update of its window to the next frame, which the message loop runs.

#include <chrono>
#include <functional>

namespace FrameClock {

using Clock = std::chrono::steady_clock;
inline constexpr std::chrono::milliseconds kFrame{16};

// True when the last frame is a frame's time ago.
bool frameDue(Clock::time_point now = Clock::now());

// Leaves the work for the next frame; it replaces work left earlier under the
// same owner. Runs it at once when a frame is due.
void update(const void* owner, std::function<void()> work);

// Drops the work left under the owner (it is going away).
void forget(const void* owner);

// Runs the work left for this frame and starts the next one.
void runFrame(Clock::time_point now = Clock::now());

// When the next frame is due, or nothing when no work waits for it.
bool hasWork();
Clock::time_point nextFrame();

} // namespace FrameClock
