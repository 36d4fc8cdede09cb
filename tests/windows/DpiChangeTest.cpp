// A window dragged to a screen of another dpi, or the scale changed in
// Settings: WM_DPICHANGED. Wine gives every window the system's dpi, so the
// message is sent here with a new one, and what the windows then draw is
// read back.
#include "NativeForms.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    const SIZE size{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

void sendDpiChange(HWND window, UINT dpi) {
    RECT place;
    GetWindowRect(window, &place);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&place));
}

LONG scaled(LONG logical, UINT dpi) {
    return MulDiv(logical, int(dpi), USER_DEFAULT_SCREEN_DPI);
}

class DpiChange : public ::testing::TestWithParam<UINT> {
protected:
    void SetUp() override {
        forms.form2.build();
        iconBox().showBuiltinIcon(5);
    }
    NativePictureBox& iconBox() { return forms.form1.control<NativePictureBox>("Picture1"); }
    NativePictureBox& logo() { return forms.form2.control<NativePictureBox>("Picture1"); }
    NativeForms forms;
};

TEST_P(DpiChange, PicturesAreLoadedAgainAtTheNewScale) {
    const UINT dpi = GetParam();
    sendDpiChange(forms.form1.hwnd(), dpi);
    sendDpiChange(forms.form2.hwnd(), dpi);

    EXPECT_EQ(iconBox().picture().pixelSize().cx, scaled(32, dpi)) << "icon at " << dpi;
    // Every scale here is 125 % or more: drawn from the renderings at twice
    // the size, from 225 % on at three times.
    EXPECT_EQ(iconBox().picture().sourceSize().cx, dpi >= 216 ? 96 : 64) << "icon at " << dpi;
    EXPECT_EQ(logo().picture().pixelSize().cx, scaled(222, dpi)) << "banner at " << dpi;
    EXPECT_EQ(logo().picture().pixelSize().cy, scaled(50, dpi)) << "banner at " << dpi;
    EXPECT_EQ(logo().picture().sourceSize().cx, 444) << "banner at " << dpi;

    const HWND browse = forms.form2.child("Command4");
    const SIZE browsePicture = iconSize(HICON(SendMessageW(browse, BM_GETIMAGE, IMAGE_ICON, 0)));
    EXPECT_EQ(browsePicture.cx, scaled(16, dpi)) << "browse picture at " << dpi;

    const LONG pointer = GetSystemMetricsForDpi(SM_CXCURSOR, dpi);
    EXPECT_EQ(iconSize(iconBox().pointer()).cx, pointer) << "icon-box pointer at " << dpi;
    EXPECT_EQ(iconSize(logo().pointer()).cx, pointer) << "logo pointer at " << dpi;

    for (FormWindow* form : {&forms.form1, &forms.form2}) {
        const auto big = HICON(SendMessageW(form->hwnd(), WM_GETICON, ICON_BIG, 0));
        const auto small = HICON(SendMessageW(form->hwnd(), WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(iconSize(big).cx, GetSystemMetricsForDpi(SM_CXICON, dpi))
            << form->layout().name << " at " << dpi;
        EXPECT_EQ(iconSize(small).cx, GetSystemMetricsForDpi(SM_CXSMICON, dpi))
            << form->layout().name << " at " << dpi;
    }
}

TEST_P(DpiChange, ACustomPictureKeepsItsLogicalSizeAndABackAndForthEndsWhereItBegan) {
    const UINT dpi = GetParam();
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path =
        std::wstring(folder) + L"tarrowin-dpi-" + std::to_wstring(GetCurrentProcessId()) + L".png";
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(IDP_BROWSE_PICTURE_2X), MAKEINTRESOURCEW(10));
    ASSERT_NE(found, nullptr);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, LockResource(LoadResource(module, found)), SizeofResource(module, found),
              &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(iconBox().loadPicture(std::u16string(path.begin(), path.end())));

    sendDpiChange(forms.form1.hwnd(), dpi);
    EXPECT_EQ(iconBox().picture().pixelSize().cx, scaled(32, dpi)) << "a 32 x 32 file at " << dpi;
    sendDpiChange(forms.form1.hwnd(), USER_DEFAULT_SCREEN_DPI);
    EXPECT_EQ(iconBox().picture().pixelSize().cx, 32) << "back at 96 from " << dpi;
    EXPECT_EQ(iconSize(iconBox().pointer()).cx, GetSystemMetricsForDpi(SM_CXCURSOR, 96));
    DeleteFileW(path.c_str());
}

// The icon box's focus frame at 96 dpi and after a change: around the box and
// clear of it, so that no pixel of the picture changes, in a band as wide as
// a pixel times dpi/96 (the system's focus rectangle scaled), dotted.
class FocusFrame : public DpiChange {};

TEST_P(FocusFrame, LiesAroundTheBoxScaledAndLeavesThePictureAlone) {
    const UINT dpi = GetParam();
    const HWND form = forms.form1.hwnd(), box = forms.form1.child("Picture1");
    sendDpiChange(form, dpi);
    forms.form1.show();
    const RECT area = iconBox().focusFrame();
    RECT inside;
    GetWindowRect(box, &inside);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&inside), 2);
    const auto read = [&] {
        RedrawWindow(form, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::vector<COLORREF> pixels;
        const HDC dc = GetDC(form);
        for (LONG y = area.top; y < area.bottom; ++y)
            for (LONG x = area.left; x < area.right; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(form, dc);
        return pixels;
    };
    SetFocus(forms.form1.child("Command1"));
    const std::vector<COLORREF> unfocused = read();
    SetFocus(box);
    const std::vector<COLORREF> focused = read();

    // How far in from the frame's outer edge each changed pixel lies.
    const LONG width = area.right - area.left;
    int inBox = 0, deepest = -1, onOuterRow = 0;
    for (std::size_t i = 0; i < focused.size(); ++i) {
        if (focused[i] == unfocused[i]) continue;
        const POINT at{area.left + LONG(i) % width, area.top + LONG(i) / width};
        if (PtInRect(&inside, at)) ++inBox;
        deepest = std::max<int>(deepest, std::min({at.x - area.left, area.right - 1 - at.x,
                                                   at.y - area.top, area.bottom - 1 - at.y}));
        if (at.y == area.top) ++onOuterRow;
    }
    const int band = scaled(1, dpi);
    EXPECT_EQ(inBox, 0) << "pixels of the picture changed by the focus at " << dpi;
    EXPECT_EQ(deepest + 1, band) << "the band's width at " << dpi;
    // Dotted: about half of its top edge.
    EXPECT_GT(onOuterRow, width / 3) << "of " << width << " at " << dpi;
    EXPECT_LT(onOuterRow, 2 * width / 3) << "of " << width << " at " << dpi;
}

INSTANTIATE_TEST_SUITE_P(Dpis, FocusFrame, ::testing::Values(96u, 144u, 192u, 288u),
                         [](const auto& info) { return std::to_string(info.param); });

INSTANTIATE_TEST_SUITE_P(Dpis, DpiChange, ::testing::Values(120u, 144u, 192u, 288u),
                         [](const auto& info) { return std::to_string(info.param); });
} // namespace
