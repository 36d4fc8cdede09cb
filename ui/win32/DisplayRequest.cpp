#include "DisplayRequest.h"

#include "Diagnostics.h"

#include <utility>

PowerRequestCalls PowerRequestCalls::system() {
    return {
        .create =
            [](const wchar_t* reason) {
                REASON_CONTEXT context{};
                context.Version = POWER_REQUEST_CONTEXT_VERSION;
                context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
                context.Reason.SimpleReasonString = const_cast<wchar_t*>(reason);
                return PowerCreateRequest(&context);
            },
        .setDisplayRequired =
            [](HANDLE request) {
                return PowerSetRequest(request, PowerRequestDisplayRequired) != FALSE;
            },
        .clearDisplayRequired =
            [](HANDLE request) {
                return PowerClearRequest(request, PowerRequestDisplayRequired) != FALSE;
            },
        .close = [](HANDLE request) { CloseHandle(request); },
        .threadDisplayRequired =
            [](bool required) {
                return SetThreadExecutionState(required ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED
                                                        : ES_CONTINUOUS) != 0;
            },
    };
}

DisplayRequest::DisplayRequest(PowerRequestCalls calls) : calls_(std::move(calls)) {}

DisplayRequest::~DisplayRequest() {
    release();
}

bool DisplayRequest::setRequired(bool required) {
    if (!required) {
        release();
        return true;
    }
    if (isHeld()) return true;
    const HANDLE request = calls_.create(kReason);
    if (request == INVALID_HANDLE_VALUE || !request) {
        threadHolds_ = calls_.threadDisplayRequired(true);
        if (!threadHolds_)
            Diagnostics::note(Diagnostics::Area::ScreenSaver,
                              "Windows took no request to keep the display on");
        return threadHolds_;
    }
    if (!calls_.setDisplayRequired(request)) {
        Diagnostics::note(Diagnostics::Area::ScreenSaver, "Windows refused to keep the display on");
        calls_.close(request);
        return false;
    }
    request_ = request;
    return true;
}

void DisplayRequest::release() {
    if (std::exchange(threadHolds_, false)) calls_.threadDisplayRequired(false);
    if (!request_) return;
    calls_.clearDisplayRequired(request_);
    calls_.close(request_);
    request_ = nullptr;
}
