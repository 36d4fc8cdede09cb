#pragma once
// How often the windows show a bar's changes: about once a frame of a 60 Hz
// screen. At a 1 ms interval a bar moves a thousand times a second; handing
// every move to the toolkit would spend the ticks' time on frames no screen
// shows, so both programs hand on a bar's latest value once a frame.

#include <chrono>

namespace FramePace {

inline constexpr std::chrono::milliseconds kFrame{16};

} // namespace FramePace
