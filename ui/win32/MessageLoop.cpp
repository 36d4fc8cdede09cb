#include "MessageLoop.h"

#include "PreciseTimer.h"

namespace {
constexpr wchar_t kDialogKeysProperty[] = L"Tarrowin.DialogKeys";

bool handledAsDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && GetPropW(root, kDialogKeysProperty) && IsDialogMessageW(root, &msg);
}
} // namespace

void enableDialogKeys(HWND window) { SetPropW(window, kDialogKeysProperty, HANDLE(1)); }

int runMessageLoop(PreciseTimer& timer) {
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return int(msg.wParam);
            if (!handledAsDialogKey(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            // A stream of input must not hold back a tick that is due.
            timer.poll();
        }
        const HANDLE wake = timer.waitHandle();
        const DWORD woke = MsgWaitForMultipleObjectsEx(wake ? 1 : 0, &wake, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 && wake) timer.onSignalled();
    }
}
