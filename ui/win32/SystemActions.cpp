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

// Looked up at run time: a comctl32 without InitCommonControlsEx gives false
// instead of a program that does not start.
bool InitializeCommonControls() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return false;
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<Init>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (!init) return false;
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_USEREX_CLASSES};
    init(&classes);
    return true;
}

bool FileAttributesExist(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
