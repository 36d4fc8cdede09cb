// Looks at tarrowin.exe's windows from inside Wine for the end-to-end test:
// what X cannot tell (client sizes, which control lies where, the text of a
// message box, the system's screen-saver state).
//
//   tarrowin_wine_probe client-size TITLE       "width height" of the client area
//   tarrowin_wine_probe bar-rect TITLE          screen "x y width height" of the first bar
//   tarrowin_wine_probe button-rect TITLE TEXT  the same of the button with that caption
//   tarrowin_wine_probe edit-rect TITLE TEXT    the same of the text box holding that text
//   tarrowin_wine_probe picture-rect TITLE      the same of the first picture box
//   tarrowin_wine_probe message-text            the text of the "Tarrowin" message box
//   tarrowin_wine_probe screen-saver            1 when the screen saver is active, else 0
//   tarrowin_wine_probe client-rect TITLE       screen "x y width height" of the client area
//   tarrowin_wine_probe focus                   "ACTIVE-TITLE|CLASS|TEXT": the active window
//                                               of the foreground thread and its focused control
//   tarrowin_wine_probe open-name               the text of the Open dialog's file name box
//
// The probe sees the windows in device pixels at any dpi: it is dpi aware itself,
// so the system does not scale what it reads to 96 dpi.
//
// Exits 1 when the window or control is not there.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <string>

namespace {
constexpr UINT kAnswerMs = 5000;

struct Search {
    const wchar_t* className;
    const wchar_t* text; // nullptr: any
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    wchar_t name[64] = {}, text[256] = {};
    GetClassNameW(child, name, 64);
    // WM_GETTEXT, not GetWindowText: only the control itself knows what a text
    // box in another process holds.
    SendMessageTimeoutW(child, WM_GETTEXT, 256, LPARAM(text), SMTO_ABORTIFHUNG, kAnswerMs, nullptr);
    if (lstrcmpiW(name, search->className) == 0 &&
        (!search->text || std::wstring(text) == search->text)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND findChild(HWND parent, const wchar_t* className, const wchar_t* text) {
    Search search{className, text, nullptr};
    EnumChildWindows(parent, &matchChild, LPARAM(&search));
    return search.found;
}

int printScreenRect(HWND window) {
    if (!window) return 1;
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const HWND window = argc > 2 ? FindWindowW(nullptr, argv[2]) : nullptr;
    if (command == L"client-size" && window) {
        RECT client;
        GetClientRect(window, &client);
        std::printf("%ld %ld\n", client.right, client.bottom);
        return 0;
    }
    if (command == L"bar-rect" && window)
        return printScreenRect(findChild(window, PROGRESS_CLASSW, nullptr));
    if (command == L"button-rect" && window && argc > 3)
        return printScreenRect(findChild(window, WC_BUTTONW, argv[3]));
    if (command == L"picture-rect" && window)
        return printScreenRect(findChild(window, L"TarrowinPictureBox", nullptr));
    if (command == L"edit-rect" && window && argc > 3)
        return printScreenRect(findChild(window, WC_EDITW, argv[3]));
    if (command == L"client-rect" && window) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (command == L"message-text") {
        const HWND box = FindWindowW(L"#32770", L"Tarrowin");
        const HWND text = box ? GetDlgItem(box, 0xFFFF) : nullptr; // the message's static control
        if (!text) return 1;
        wchar_t message[512] = {};
        GetWindowTextW(text, message, 512);
        std::printf("%ls\n", message);
        return 0;
    }
    if (command == L"focus") {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        const HWND foreground = GetForegroundWindow();
        if (!foreground ||
            !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread))
            return 1;
        wchar_t title[256] = {}, name[64] = {}, text[256] = {};
        GetWindowTextW(thread.hwndActive, title, 256);
        if (thread.hwndFocus) {
            GetClassNameW(thread.hwndFocus, name, 64);
            SendMessageTimeoutW(thread.hwndFocus, WM_GETTEXT, 256, LPARAM(text), SMTO_ABORTIFHUNG,
                                kAnswerMs, nullptr);
        }
        std::printf("%ls|%ls|%ls\n", title, name, text);
        return 0;
    }
    if (command == L"open-name") {
        // The explorer-style dialog keeps the name in a combo box, the older
        // one in an edit box.
        const HWND dialog = FindWindowW(L"#32770", L"Open");
        if (!dialog) return 1;
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name) name = GetDlgItem(dialog, edt1);
        if (!name) return 1;
        wchar_t text[1024] = {};
        SendMessageTimeoutW(name, WM_GETTEXT, 1024, LPARAM(text), SMTO_ABORTIFHUNG, kAnswerMs,
                            nullptr);
        std::printf("[%ls]\n", text);
        return 0;
    }
    if (command == L"screen-saver") {
        BOOL active = FALSE;
        if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return 1;
        std::printf("%d\n", active ? 1 : 0);
        return 0;
    }
    return 1;
}
