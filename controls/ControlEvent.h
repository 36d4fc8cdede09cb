#pragma once
// An event of a control: the handler a form hooks to it, run when the control's
// value changes or the user acts on it. A control whose event has no handler
// simply does nothing more.

#include "Diagnostics.h"

#include <functional>

using ControlEvent = std::function<void()>;

// Runs the handler of a change the program itself made through a control's
// setter. What the handler throws goes on to the code that made the change,
// which alone knows what a failure there means for it.
inline void raiseEvent(const ControlEvent& event) {
    if (event) event();
}

// Runs the handler of what the toolkit reports (an edit or a click of the
// user's, a tick of the timer). Front ends call it from their toolkit's
// callbacks and window procedures, which no exception may cross: one that
// leaves the handler stops here and is written to the diagnostics.
inline void raiseGuardedEvent(const ControlEvent& event) noexcept {
    if (event) Diagnostics::guarded("an event handler", event);
}
