#pragma once
// The two actions that reach outside the program, in plain C++ so that the
// Windows side builds without Qt.

#include <string>

// Switches the screen saver of the logged-in user on (true) or off (false) for
// the running session, without touching the user's stored preferences. True when
// the system took the change. The state outlasts the program.
bool SetSystemScreenSaverActive(bool active);

// Prepares the platform's common controls for the windows; false when the
// platform lacks the means. Elsewhere the toolkit needs nothing and it is true.
bool InitializeCommonControls();

#ifdef _WIN32
// Opens an address with its default handler, without owner window and without
// waiting. The address is in the active code page.
void OpenWithDefaultHandler(const std::string& address);
#endif
