#pragma once
// The frames at which the windows show changes (FramePace.h): a control keeps
// its value itself and leaves the update of its window to the next frame,
// which the message loop runs.

#include "FramePace.h"

#include <chrono>
#include <functional>

namespace FrameClock {

using Clock = std::chrono::steady_clock;
inline constexpr std::chrono::milliseconds kFrame = FramePace::kFrame;

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
