#pragma once
// Asks Windows to keep the display on: a display-required power request,
// which `powercfg /requests` lists under the program with its reason. Windows
// 10 and 11 come without a screen saver; what darkens the screen (and, with
// sign-in on wake, locks it) is the power plan's display timeout, which only
// such a request holds off. The request belongs to the process: it ends when
// it is let go, and with the process however that ends, since the system
// closes the request's handle. Where the system makes no power requests (Wine,
// for one) the user-interface thread, which lives as long as the program,
// marks the display as required instead.

#include <windows.h>

#include <functional>

// The system calls a request is made of, one function object each, so that
// tests can see when a request starts and ends.
struct PowerRequestCalls {
    std::function<HANDLE(const wchar_t* reason)> create; // INVALID_HANDLE_VALUE on failure
    std::function<bool(HANDLE request)> setDisplayRequired;
    std::function<bool(HANDLE request)> clearDisplayRequired;
    std::function<void(HANDLE request)> close;
    // The calling thread's display requirement on (true) or off; false on failure.
    std::function<bool(bool required)> threadDisplayRequired;

    // PowerCreateRequest, PowerSetRequest, PowerClearRequest, CloseHandle,
    // SetThreadExecutionState.
    static PowerRequestCalls system();
};

class DisplayRequest {
public:
    static constexpr wchar_t kReason[] = L"Tarrowin is showing progress";

    explicit DisplayRequest(PowerRequestCalls calls = PowerRequestCalls::system());
    ~DisplayRequest(); // lets go of a request still held
    DisplayRequest(const DisplayRequest&) = delete;
    DisplayRequest& operator=(const DisplayRequest&) = delete;

    // Asks for the display to stay on (true) or lets go (false). True when the
    // system took the request, or when it was let go of.
    bool setRequired(bool required);
    bool isHeld() const { return request_ != nullptr || threadHolds_; }

private:
    void release();

    PowerRequestCalls calls_;
    HANDLE request_ = nullptr;
    bool threadHolds_ = false;
};
