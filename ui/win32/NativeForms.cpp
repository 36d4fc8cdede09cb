#include "NativeForms.h"

#include "Handles.h"
#include "ResourceIds.h"

namespace {
constexpr COLORREF kCreditColour = RGB(0, 0, 255);
constexpr COLORREF kLogoBackground = RGB(255, 255, 255);

// The icon resources hold every size Windows asks for; each is loaded at the
// size the system metrics give for the dpi.
OwnedIcon loadIcon(int id, int size) {
    return OwnedIcon(HICON(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

// A pointer at the system's pointer size for the dpi, from the resource's
// image of that size (or the nearest, scaled).
OwnedPointer loadPointer(int id, UINT dpi) {
    const int size = GetSystemMetricsForDpi(SM_CXCURSOR, dpi);
    return OwnedPointer(HCURSOR(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_CURSOR, size, size, 0)));
}

// A window's icons and the pointer over its picture box, drawn for the dpi.
void dress(FormWindow& form, int icon, int pointer, UINT dpi) {
    form.setIcons(loadIcon(icon, GetSystemMetricsForDpi(SM_CXICON, dpi)),
                  loadIcon(icon, GetSystemMetricsForDpi(SM_CXSMICON, dpi)));
    form.control<NativePictureBox>("Picture1").setPointer(loadPointer(pointer, dpi));
}

// The browse button's picture for the dpi, drawn by the button over its face
// (which a theme may paint in any colour) with its transparent parts. A GIF
// needs the imaging component, whose first use is slow: not before the dialog
// is first shown.
void showBrowsePicture(FormWindow& form, UINT dpi) {
    form.control<NativeButton>("Command4")
        .setIcon(Picture::fromResources(IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X, dpi).toIcon());
}
} // namespace

NativeForms::NativeForms()
    : form1(Layout::form1(), FormStyle::fixedWindow(), FormWindow::Build::Now, frames),
      form2(Layout::form2(), FormStyle::toolWindow(), FormWindow::Build::WhenShown, frames) {
    // The progress window comes up when the start is done, which may have
    // opened the dialog for the user (a first start, a missing icon file): the
    // dialog stays the window in use, in front.
    form1.showsBehindActiveWindow = true;
    auto& logo = form2.control<NativePictureBox>("Picture1");
    logo.setBackground(kLogoBackground);
    logo.showCarried(IDP_LOGO_BANNER, IDP_LOGO_BANNER_2X);
    form2.setTextColour("Label8", kCreditColour);
    dress(form1, IDI_PROGRESS_WINDOW, IDC_ICON_BOX_HAND, form1.dpi());
    dress(form2, IDI_OPTIONS_WINDOW, IDC_LOGO_HAND, GetDpiForSystem());
    form2.beforeFirstShow = [this] {
        screenSaverNote.attach(form2.child("Ssav"));
        showBrowsePicture(form2, form2.dpi());
    };
    form1.onDpiChanged = [this](UINT dpi) {
        dress(form1, IDI_PROGRESS_WINDOW, IDC_ICON_BOX_HAND, dpi);
    };
    form2.onDpiChanged = [this](UINT dpi) {
        dress(form2, IDI_OPTIONS_WINDOW, IDC_LOGO_HAND, dpi);
        showBrowsePicture(form2, dpi);
    };

    form1.onModalLoop = form2.onModalLoop = [this](bool running) {
        if (running)
            timer1.precise().enterModalLoop();
        else
            timer1.precise().leaveModalLoop();
    };
}
