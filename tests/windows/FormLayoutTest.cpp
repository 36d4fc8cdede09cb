// The native windows against their layouts: the layout tables are generated
// from ui/Form1.ui and ui/Form2.ui, so a difference here is a difference
// between the Win32 and the Qt front end.
#include "ControlKinds.h"
#include "Fonts.h"
#include "Layout.h"
#include "NativeForms.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr UINT kTestDpi = USER_DEFAULT_SCREEN_DPI;

Layout::Rect placeInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

struct FormCase {
    const char* name;
    FormWindow NativeForms::*form;
    int width, height;
    std::vector<std::string_view> showingNoText; // pictures, bars and picture buttons, sorted
};

class FormLayout : public ::testing::TestWithParam<FormCase> {
protected:
    void SetUp() override { forms.form2.build(); }
    NativeForms forms;
    FormWindow& form() { return forms.*GetParam().form; }
};

TEST_P(FormLayout, ClientAreaHasTheLayoutsSize) {
    ASSERT_EQ(form().dpi(), kTestDpi) << "these tests expect a 96 dpi screen";
    RECT client;
    GetClientRect(form().hwnd(), &client);
    EXPECT_EQ(client.right, GetParam().width);
    EXPECT_EQ(client.bottom, GetParam().height);
    EXPECT_EQ(client.right, form().layout().clientWidth);
    EXPECT_EQ(client.bottom, form().layout().clientHeight);
}

TEST_P(FormLayout, EveryControlSitsAtItsLayoutRectangle) {
    ASSERT_FALSE(form().layout().controls.empty());
    for (const auto& entry : form().layout().controls) {
        const HWND child = form().child(entry.name);
        ASSERT_NE(child, nullptr) << entry.name;
        EXPECT_EQ(GetParent(child), form().hwnd()) << entry.name;
        const Layout::Rect place = placeInParent(child);
        if (entry.buddy.empty()) {
            EXPECT_EQ(place, entry.inWindow) << entry.name;
            continue;
        }
        // A label lies above the control it names, and leaves that control's
        // border free: it gives up the strip, one pixel here, by which the
        // layout lets it reach into the control.
        const Layout::Rect named = placeInParent(form().child(entry.buddy));
        const bool apart = place.x + place.width <= named.x || named.x + named.width <= place.x ||
                           place.y + place.height <= named.y || named.y + named.height <= place.y;
        EXPECT_TRUE(apart) << entry.name << " reaches into " << entry.buddy;
        EXPECT_EQ(place.x, entry.inWindow.x) << entry.name;
        EXPECT_EQ(place.y, entry.inWindow.y) << entry.name;
        EXPECT_EQ(place.width + place.height, entry.inWindow.width + entry.inWindow.height - 1)
            << entry.name << " is " << place.width << " x " << place.height;
    }
}

TEST_P(FormLayout, EveryControlHasItsLayoutFontAndCaption) {
    for (const auto& entry : form().layout().controls) {
        if (entry.kind == Layout::ControlKind::PictureBox) continue; // draws no text
        const HWND child = form().child(entry.name);
        const auto& wanted = entry.font ? entry.font : form().layout().font;
        ASSERT_TRUE(wanted.has_value());
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::wstring_view(font.lfFaceName), wanted->family) << entry.name;
        EXPECT_EQ(font.lfHeight, layoutFontHeight(*wanted, kTestDpi)) << entry.name;
        EXPECT_EQ(font.lfWeight, wanted->bold ? FW_BOLD : FW_NORMAL) << entry.name;
        if (showsNoText(entry)) continue; // see below
        wchar_t caption[256] = {};
        GetWindowTextW(child, caption, 256);
        EXPECT_EQ(std::wstring_view(caption), entry.caption) << entry.name;
    }
}

TEST_P(FormLayout, PicturesCarryTheirAccessibleNames) {
    form().show(); // the browse button gets its picture when the dialog first shows
    std::vector<std::string_view> named;
    for (const auto& entry : form().layout().controls) {
        if (!showsNoText(entry)) continue;
        named.push_back(entry.name);
        wchar_t name[256] = {};
        GetWindowTextW(form().child(entry.name), name, 256);
        EXPECT_EQ(std::wstring_view(name), entry.accessibleName) << entry.name;
    }
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, GetParam().showingNoText);
}

TEST_P(FormLayout, TabGoesThroughTheControlsInTheLayoutsOrder) {
    std::vector<std::string_view> expected(form().layout().controls.size());
    std::size_t stops = 0;
    for (const auto& entry : form().layout().controls)
        if (entry.tabOrder >= 0) {
            expected[entry.tabOrder] = entry.name;
            ++stops;
        }
    expected.resize(stops);
    std::vector<std::string_view> walked;
    HWND at = GetNextDlgTabItem(form().hwnd(), nullptr, FALSE);
    for (std::size_t i = 0; i < stops && at; ++i) {
        for (const auto& entry : form().layout().controls)
            if (form().child(entry.name) == at) walked.push_back(entry.name);
        at = GetNextDlgTabItem(form().hwnd(), at, FALSE);
    }
    EXPECT_EQ(walked, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormLayout,
    ::testing::Values(
        FormCase{"Form1", &NativeForms::form1, 433, 134, {"PB_0", "PB_1", "Picture1"}},
        FormCase{"Form2", &NativeForms::form2, 589, 292, {"Command4", "Picture1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormFrames, ProgressWindowIsFixedWithCloseBoxOnlyAndDialogIsAToolWindow) {
    NativeForms forms;
    forms.form2.build();
    const auto style1 = GetWindowLongPtrW(forms.form1.hwnd(), GWL_STYLE);
    const auto style2 = GetWindowLongPtrW(forms.form2.hwnd(), GWL_STYLE);
    for (const auto style : {style1, style2}) {
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    }
    EXPECT_FALSE(GetWindowLongPtrW(forms.form1.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(forms.form2.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(forms.form1.isVisible());
    EXPECT_FALSE(forms.form2.isVisible());
}

TEST(FormFrames, BarsSpanZeroToForty) {
    NativeForms forms;
    for (const char* bar : {"PB_0", "PB_1"}) {
        PBRANGE range{};
        SendMessageW(forms.form1.child(bar), PBM_GETRANGE, FALSE, LPARAM(&range));
        EXPECT_EQ(range.iLow, 0) << bar;
        EXPECT_EQ(range.iHigh, 40) << bar;
    }
}
} // namespace
