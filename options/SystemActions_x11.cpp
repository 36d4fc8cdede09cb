#include "SystemActions.h"

#include <X11/Xlib.h>

// The X server's own screen saver: a timeout of 0 switches it off, -1 restores
// the server's default timeout. This is runtime state of the server (what
// `xset s` changes), not the user's stored preferences, and it stays after the
// program has ended.
bool SetSystemScreenSaverActive(bool active) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    int timeout = 0, interval = 0, preferBlanking = 0, allowExposures = 0;
    XGetScreenSaver(display, &timeout, &interval, &preferBlanking, &allowExposures);
    constexpr int kOff = 0, kServerDefault = -1;
    XSetScreenSaver(display, active ? kServerDefault : kOff, interval, preferBlanking,
                    allowExposures);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}

bool InitializeCommonControls() { return true; }
