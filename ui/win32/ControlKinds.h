#pragma once
// What each kind of control of the layouts is on Win32: the system's window
// class and styles, and the control object that keeps its state.

#include "Layout.h"
#include "NativeControls.h"

#include <windows.h>

#include <memory>

struct NativeKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

NativeKind nativeKind(const Layout::ControlEntry& entry);

// A control that shows no text of its own (a picture, a bar, a button that
// shows a picture) carries its accessible name as its window text, which is
// what screen readers announce; the others their layout's caption.
bool showsNoText(const Layout::ControlEntry& entry);

// The control with the layout's initial contents, not yet given its window; a
// bar hands its values on through the frames.
std::unique_ptr<NativeControl> controlFor(const Layout::ControlEntry& entry, FramePace& frames);
