#pragma once
// One line for each failure the program deliberately does not show the user (a
// saver service that does not answer, a picture that cannot be read, a store
// set aside), so that "the box does nothing" can be diagnosed. Quiet unless
// TARROWIN_DIAGNOSTICS is set to anything but "" or "0"; then each line goes
// to the front end's channel: Qt's logging categories tarrowin.<area> on
// Linux, OutputDebugString on Windows, standard error where none is set.

#include <exception>
#include <string_view>

namespace Diagnostics {

enum class Area { Store, Session, ScreenSaver, Picture, Events };

// "store", "session", "screensaver", "picture", "events".
std::string_view areaName(Area area);

// True when TARROWIN_DIAGNOSTICS asks for the lines (read once).
bool enabled();
// The rule for the switch's value (null when it is not set).
bool switchedOn(const char* value);

// Writes one line when enabled; never throws.
void note(Area area, std::string_view message) noexcept;

// Where the lines go: a front end sets its channel once at start. The default
// writes "tarrowin: <area>: <message>" to standard error.
using Sink = void (*)(Area area, std::string_view message);
void setSink(Sink sink);

// For the last line of defence around handlers that the toolkit or the
// system calls: the exception that stops there, as a line.
void noteEscapedException(std::string_view where, const std::exception_ptr& error) noexcept;

// Runs a handler that the toolkit or the system calls, which no exception may
// leave: one that would is written as a line and stops there.
template <class Handler> void guarded(std::string_view where, Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        noteEscapedException(where, std::current_exception());
    }
}

} // namespace Diagnostics
