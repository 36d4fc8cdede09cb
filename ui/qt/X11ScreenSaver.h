#pragma once
// The screen-saver switch on the X server of the display.

// What the switch reached: the X server's saver, and its display power saving.
struct X11SaverSwitch {
    bool server = false;       // there was an X server, and its saver was switched
    bool displayPower = false; // its display power saving (DPMS) was switched too
};

// This is runtime state of the server (what `xset s` and `xset dpms` change),
// not the user's stored preferences, and it stays after the program has ended.
// Nothing is reached without an X server (a Wayland session).
X11SaverSwitch SwitchX11ScreenSaver(bool active);
