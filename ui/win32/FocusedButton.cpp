#include "FocusedButton.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x7a72; // any number of ours, unique on the button

LRESULT CALLBACK focusedButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
    switch (message) {
    case BM_SETSTYLE:
        // Whoever sets the style (the dialog keys reset every default button
        // when Tab moves the focus): default exactly while focused.
        if ((wParam & BS_TYPEMASK) == BS_PUSHBUTTON || (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            wParam = (wParam & ~WPARAM(BS_TYPEMASK)) |
                     (GetFocus() == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case WM_SETFOCUS:
        SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        break;
    case WM_KILLFOCUS:
        SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, focusedButtonProc, kSubclassId);
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}
} // namespace

void makeDefaultWhileFocused(HWND button) {
    SetWindowSubclass(button, focusedButtonProc, kSubclassId, 0);
}
