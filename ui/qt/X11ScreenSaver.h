#pragma once
// The screen-saver switch on the X server of the display.

// This is runtime state of the server (what `xset s` and `xset dpms` change),
// not the user's stored preferences, and it stays after the program has ended.
// False without an X server (a Wayland session): there is nothing to switch.
bool SwitchX11ScreenSaver(bool active);
