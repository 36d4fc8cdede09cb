// The "Disable Screen Saver" box of tarrowin.exe tells what keeps the screen
// on, in its tooltip and to screen readers, and follows each switch; the
// display request ends with the session, as main wires them.
#include "DisplayRequest.h"
#include "KeepAwake.h"
#include "KeepScreenOn.h"
#include "NativeForms.h"
#include "WideText.h"

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring toolTipText(const ControlNote& note, HWND control) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    tool.lpszText = text;
    SendMessageW(note.toolTip(), TTM_GETTEXTW, WPARAM(std::size(text)), LPARAM(&tool));
    return text;
}

// What a screen reader is told after the control's name; empty when the
// system's accessibility proxy gives no description.
std::wstring accessibleDescription(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return {};
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::wstring description;
    if (object->get_accDescription(self, &text) == S_OK && text) description = text;
    SysFreeString(text);
    object->Release();
    return description;
}

struct Recorded {
    int made = 0, ended = 0;
    PowerRequestCalls calls() {
        return {.create = [this](const wchar_t*) { return HANDLE(INT_PTR(++made)); },
                .setDisplayRequired = [](HANDLE) { return true; },
                .clearDisplayRequired = [](HANDLE) { return true; },
                .close = [this](HANDLE) { ++ended; },
                .threadDisplayRequired = [](bool) { return false; }};
    }
};

TEST(ScreenNote, BoxTellsWhatKeepsTheScreenOnAndTheSessionsEndLetsTheDisplayGo) {
    NativeForms forms;
    KeepAwakeReport report;
    report.onChange = [&forms](const std::u16string& text) {
        forms.screenSaverNote.setText(toWide(text));
    };
    forms.screenSaverNote.setText(toWide(report.text()));
    Recorded power;
    DisplayRequest display(power.calls());
    KeepScreenOn keeper(report, display, [](bool) { return true; });
    forms.form1.onSessionEnded = [&keeper] { keeper.sessionEnds(); };

    keeper.setScreenSaverActive(false); // the stored setting, before the dialog exists
    forms.form2.show();
    const HWND box = forms.form2.child("Ssav");
    ASSERT_NE(box, nullptr);
    const std::wstring kept = L"Screen kept on by: screen saver off, a display power request";
    EXPECT_EQ(toolTipText(forms.screenSaverNote, box), kept);
    const std::wstring described = accessibleDescription(box);
    // Wine's accessibility proxy has no descriptions of its own to give; where
    // it hands one out, it is the note.
    if (!described.empty()) {
        EXPECT_EQ(described, kept);
    }

    keeper.setScreenSaverActive(true);
    const std::wstring released = L"Screen saver and power saving left to the system";
    EXPECT_EQ(toolTipText(forms.screenSaverNote, box), released);
    EXPECT_EQ(power.ended, 1) << "unchecking ends the request";

    keeper.setScreenSaverActive(false);
    SendMessageW(forms.form1.hwnd(), WM_ENDSESSION, FALSE, 0); // the logoff was cancelled
    EXPECT_TRUE(display.isHeld());
    SendMessageW(forms.form1.hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(display.isHeld()) << "the session's end ends the request";
    EXPECT_EQ(power.made, 2);
    EXPECT_EQ(power.ended, 2);
    forms.form2.hide();
}

} // namespace
