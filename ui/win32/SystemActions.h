#pragma once
// What the Win32 program asks of the system for the behaviour's platform
// services: the screen saver, the web page, the common controls and the file
// attribute query. Texts are in the active code page.

#include <string>

// Switches the screen saver of the logged-in user on (true) or off (false) for
// the running session, without touching the user's stored preferences. True when
// the system took the change. The state outlasts the program.
bool SetSystemScreenSaverActive(bool active);

// Registers the common controls' window classes of the ICC_ flags
// (InitCommonControlsEx); the program's one way to prepare them.
bool InitializeCommonControlClasses(unsigned long classes);

// What the behaviour's startup asks for: the extended combo box's classes
// (ICC_USEREX_CLASSES).
bool InitializeCommonControls();

// Opens an address with its default handler, without owner window and without
// waiting.
void OpenWithDefaultHandler(const std::string& address);

// True when GetFileAttributesA knows the path: a file or a folder is there.
bool FileAttributesExist(const std::string& path);
