#include "ControlNote.h"

#include "Com.h"
#include "Diagnostics.h"

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>

namespace {

TTTOOLINFOW toolFor(HWND control, std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    tool.lpszText = text.data();
    return tool;
}

// Dynamic annotation: the description the system's accessibility proxy gives
// for the control, without replacing the proxy.
void describe(HWND control, const std::wstring& text) {
    ensureOle();
    IAccPropServices* services = nullptr;
    HRESULT result = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IAccPropServices, reinterpret_cast<void**>(&services));
    if (SUCCEEDED(result) && services) {
        result = services->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                          PROPID_ACC_DESCRIPTION, text.c_str());
        services->Release();
    }
    if (FAILED(result)) {
        char line[80];
        std::snprintf(line, sizeof line, "no accessible description for the control: 0x%08lx",
                      static_cast<unsigned long>(result));
        Diagnostics::note(Diagnostics::Area::ScreenSaver, line);
    }
}

} // namespace

ControlNote::~ControlNote() {
    if (toolTip_) DestroyWindow(toolTip_);
}

void ControlNote::attach(HWND control) {
    if (!control || control == control_) return;
    control_ = control;
    if (toolTip_) DestroyWindow(toolTip_);
    toolTip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(control, GA_ROOT),
        nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool = toolFor(control_, text_);
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    apply();
}

void ControlNote::setText(std::wstring_view text) {
    if (text == text_ && control_) return;
    text_ = text;
    apply();
}

void ControlNote::apply() {
    if (!control_) return;
    TTTOOLINFOW tool = toolFor(control_, text_);
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
    describe(control_, text_);
}
