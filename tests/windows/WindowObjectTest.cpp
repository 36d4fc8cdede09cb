// The one way a window of ours reaches its object: from its first message to
// its last, and with the system's default handling for a message whose
// handler failed.
#include "WindowObject.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class Recorder {
public:
    std::vector<UINT> messages;
    HWND created = nullptr;
    bool destroyed = false;

private:
    friend LRESULT CALLBACK WindowObject::procedure<Recorder>(HWND, UINT, WPARAM, LPARAM);
    void windowCreated(HWND window) { created = window; }
    void windowDestroyed() { destroyed = true; }
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        messages.push_back(message);
        if (message == WM_SETTEXT) throw std::runtime_error("a handler that fails");
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

TEST(WindowObject, SeesEveryMessageFromTheFirstAndLeavesAFailedOneToTheSystem) {
    constexpr wchar_t kClass[] = L"TarrowinWindowObjectTest";
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowObject::procedure<Recorder>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    ASSERT_NE(RegisterClassExW(&windowClass), 0);

    Recorder recorder;
    const HWND window = CreateWindowExW(0, kClass, L"first", WS_POPUP, 0, 0, 50, 50, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), &recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(recorder.created, window);
    ASSERT_FALSE(recorder.messages.empty());
    EXPECT_EQ(recorder.messages.front(), UINT(WM_NCCREATE)) << "no message passed it by";

    // The default handling the failed handler left to the system sets the text.
    SetWindowTextW(window, L"second");
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(std::wstring(text), L"second");

    DestroyWindow(window);
    EXPECT_TRUE(recorder.destroyed);
    EXPECT_EQ(recorder.messages.back(), UINT(WM_NCDESTROY));
    EXPECT_EQ(WindowObject::of<Recorder>(window), nullptr);
    UnregisterClassW(kClass, GetModuleHandleW(nullptr));
}
} // namespace
