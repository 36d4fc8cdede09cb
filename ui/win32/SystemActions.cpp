#include "SystemActions.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

// SPI_SETSCREENSAVEACTIVE with no profile flags: the change holds for the session
// and is neither written to the user profile nor broadcast.
bool SetSystemScreenSaverActive(bool active) {
    return SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? 1 : 0, nullptr, 0) > 0;
}

void OpenWithDefaultHandler(const std::string& address) {
    ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// comctl32 is imported by the program (the windows' controls and subclassing
// need it), so the function is there from the start: nothing to look up, and
// no library loaded here to let go of again. Its own answer is not the
// program's concern: a class it could not register shows when a window of it
// is made.
bool InitializeCommonControlClasses(unsigned long classes) {
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, DWORD(classes)};
    InitCommonControlsEx(&wanted);
    return true;
}

bool InitializeCommonControls() {
    return InitializeCommonControlClasses(ICC_USEREX_CLASSES);
}

bool FileAttributesExist(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
