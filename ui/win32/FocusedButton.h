#pragma once
// A push button that is the default push button while it has the keyboard
// focus, and an ordinary one otherwise, however the focus comes and goes
// (Tab, a click, the window's activation, a program's SetFocus). The dialog
// keys (IsDialogMessage) then press it on Enter, as in any Windows dialog, and
// it shows the default button's frame while Enter would press it. These
// windows have no default button of their own: Enter anywhere else presses
// nothing.

#include <windows.h>

void makeDefaultWhileFocused(HWND button);
