#include "NativeForms.h"

#include "ResourceIds.h"

namespace {
constexpr COLORREF kCreditColour = RGB(0, 0, 255);
constexpr COLORREF kLogoBackground = RGB(255, 255, 255);

// The icon resources hold every size Windows asks for; each is loaded at the
// size the system metrics give for the dpi. The caller destroys it.
HICON loadIcon(int id, int size) {
    return HICON(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// A pointer at the system's pointer size for the dpi, from the resource's
// image of that size (or the nearest, scaled). The caller destroys it.
HCURSOR loadPointer(int id, UINT dpi) {
    const int size = GetSystemMetricsForDpi(SM_CXCURSOR, dpi);
    return HCURSOR(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_CURSOR, size, size, 0));
}

void replaceIcon(HICON& held, HICON made) {
    if (held) DestroyIcon(held);
    held = made;
}

// HCURSOR and HICON are one type; a pointer is let go of as a pointer.
void replacePointer(HCURSOR& held, HCURSOR made) {
    if (held) DestroyCursor(held);
    held = made;
}
} // namespace

NativeForms::NativeForms()
    : form1(Layout::form1(), FormStyle::fixedWindow(), FormWindow::Build::Now, frames),
      form2(Layout::form2(), FormStyle::toolWindow(), FormWindow::Build::WhenShown, frames) {
    auto& logo = form2.control<NativePictureBox>("Picture1");
    logo.setBackground(kLogoBackground);
    logo.showCarried(IDP_LOGO_BANNER, IDP_LOGO_BANNER_2X);
    form2.setTextColour("Label8", kCreditColour);
    dressForm1(form1.dpi());
    dressForm2(GetDpiForSystem());
    // A GIF needs the OLE picture loader, whose first use is slow: not at start
    // while the dialog stays hidden.
    form2.beforeFirstShow = [this] {
        screenSaverNote.attach(form2.child("Ssav"));
        form2.control<NativeButton>("Command4")
            .setBitmap(
                Picture::fromResources(IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X, form2.dpi())
                    .toBitmap(GetSysColor(COLOR_BTNFACE)));
    };
    form1.onDpiChanged = [this](UINT dpi) { dressForm1(dpi); };
    form2.onDpiChanged = [this](UINT dpi) {
        dressForm2(dpi);
        form2.control<NativeButton>("Command4")
            .setBitmap(Picture::fromResources(IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X, dpi)
                           .toBitmap(GetSysColor(COLOR_BTNFACE)));
    };

    form1.onModalLoop = form2.onModalLoop = [this](bool running) {
        if (running)
            timer1.precise().enterModalLoop();
        else
            timer1.precise().leaveModalLoop();
    };
}

NativeForms::~NativeForms() {
    replacePointer(pointers_.iconBox, nullptr);
    replacePointer(pointers_.logo, nullptr);
    for (auto& form : icons_)
        for (HICON& icon : form)
            replaceIcon(icon, nullptr);
}

void NativeForms::dressForm1(UINT dpi) {
    HICON big = loadIcon(IDI_PROGRESS_WINDOW, GetSystemMetricsForDpi(SM_CXICON, dpi));
    HICON small = loadIcon(IDI_PROGRESS_WINDOW, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    form1.setIcons(big, small); // the window lets go of the old ones first
    replaceIcon(icons_[0][0], big);
    replaceIcon(icons_[0][1], small);
    const HCURSOR pointer = loadPointer(IDC_ICON_BOX_HAND, dpi);
    form1.control<NativePictureBox>("Picture1").setPointer(pointer);
    replacePointer(pointers_.iconBox, pointer);
}

void NativeForms::dressForm2(UINT dpi) {
    HICON big = loadIcon(IDI_OPTIONS_WINDOW, GetSystemMetricsForDpi(SM_CXICON, dpi));
    HICON small = loadIcon(IDI_OPTIONS_WINDOW, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    form2.setIcons(big, small);
    replaceIcon(icons_[1][0], big);
    replaceIcon(icons_[1][1], small);
    const HCURSOR pointer = loadPointer(IDC_LOGO_HAND, dpi);
    form2.control<NativePictureBox>("Picture1").setPointer(pointer);
    replacePointer(pointers_.logo, pointer);
}
