#pragma once
// An event of a control: the handler a form hooks to it, run when the control's
// value changes or the user acts on it. A control whose event has no handler
// simply does nothing more.

#include "Diagnostics.h"

#include <functional>

using ControlEvent = std::function<void()>;

// Front ends raise events from their toolkit's event handlers and window
// procedures, which no exception may cross: one that leaves the handler stops
// here and is written to the diagnostics.
inline void raiseEvent(const ControlEvent& event) noexcept {
    if (event) Diagnostics::guarded("an event handler", event);
}
