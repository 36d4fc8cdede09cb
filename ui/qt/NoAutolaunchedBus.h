#pragma once
// Where the environment names no session bus, the bus library starts one of
// its own on first use ("autolaunch": dbus-launch and a dbus-daemon tied to the
// X display), and Qt uses the bus at start (the accessibility bridge looks for
// the screen reader's bus there). That daemon outlives the program, one per
// display and home, until the X server ends. A program that is started without
// a session bus goes without one: nothing on a bus it would start itself
// (no screen saver, no screen reader) would be listening anyway.

// Call before the QApplication exists. Leaves the environment alone when it
// names a bus or the user's runtime folder holds the session bus's socket
// (which the bus library finds itself); otherwise names no usable bus.
void keepFromAutolaunchingSessionBus();
