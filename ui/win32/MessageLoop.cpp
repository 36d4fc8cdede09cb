#include "MessageLoop.h"

#include "FramePace.h"
#include "NativePreciseTimer.h"

namespace {
constexpr wchar_t kDialogKeysProperty[] = L"Tarrowin.DialogKeys";
constexpr UINT kAllButPaint = PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;

bool handledAsDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && GetPropW(root, kDialogKeysProperty) && IsDialogMessageW(root, &msg);
}

void dispatch(MSG& msg) {
    if (!handledAsDialogKey(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
} // namespace

void enableDialogKeys(HWND window) {
    SetPropW(window, kDialogKeysProperty, HANDLE(1));
}

// Messages first, the timer whenever it is due, and the windows' drawing once
// a frame (FramePace.h): changes made since the last frame, then the paints.
int runMessageLoop(NativePreciseTimer& timer, FramePace& frames) {
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | kAllButPaint)) {
            if (msg.message == WM_QUIT) return int(msg.wParam);
            dispatch(msg);
            timer.poll(); // a stream of input must not hold back a tick that is due
        }

        const bool paintPending = GetQueueStatus(QS_PAINT) & QS_PAINT;
        if ((paintPending || frames.isWaiting()) && frames.isFrameDue()) {
            frames.runFrame();
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
                if (msg.message == WM_QUIT) return int(msg.wParam);
                dispatch(msg);
            }
            continue;
        }

        // Drawing that waits for its frame must not wake the wait at once.
        DWORD timeout = INFINITE;
        DWORD wakeOn = QS_ALLINPUT;
        if (paintPending || frames.isWaiting()) {
            wakeOn &= ~QS_PAINT;
            timeout = DWORD(
                std::chrono::ceil<std::chrono::milliseconds>(frames.untilNextFrame()).count());
        }
        const HANDLE wake = timer.waitHandle();
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(wake ? 1 : 0, &wake, timeout, wakeOn, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 && wake) timer.onSignalled();
    }
}
