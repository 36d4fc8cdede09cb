#pragma once
// An event of a control: the handler a form hooks to it, run when the control's
// value changes or the user acts on it. A control whose event has no handler
// simply does nothing more.

#include <functional>

using ControlEvent = std::function<void()>;

inline void raiseEvent(const ControlEvent& event) {
    if (event) event();
}
