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

// The control with the layout's initial contents, not yet given its window; a
// bar hands its values on through the frames.
std::unique_ptr<NativeControl> controlFor(const Layout::ControlEntry& entry, FramePace& frames);
