#include "NativeForms.h"

#include "ResourceIds.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

namespace {
constexpr COLORREF kCreditColour = RGB(0, 0, 255);
constexpr COLORREF kLogoBackground = RGB(255, 255, 255);
// Where the finger tip of the logo pointer is: the icon file carries no hot spot.
constexpr DWORD kLogoHotSpotX = 5, kLogoHotSpotY = 0;

HICON loadIcon(int id, int size) {
    return HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size,
                            LR_SHARED));
}

// A pointer from the first image of an icon file kept as RCDATA, with its hot
// spot at the finger tip.
HCURSOR pointerFromIconResource(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found) return nullptr;
    const auto* file = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const DWORD fileSize = SizeofResource(module, found);
    constexpr DWORD kHeader = 6, kEntrySize = 8, kEntryOffset = 12, kEntryBytes = 16;
    if (!file || fileSize < kHeader + kEntryBytes) return nullptr;
    std::uint32_t size = 0, offset = 0;
    std::memcpy(&size, file + kHeader + kEntrySize, sizeof size);
    std::memcpy(&offset, file + kHeader + kEntryOffset, sizeof offset);
    if (offset > fileSize || size > fileSize - offset) return nullptr;
    constexpr DWORD kIconFormat = 0x00030000;
    const HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(file + offset), size, TRUE,
                                                kIconFormat, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) return nullptr;
    ICONINFO info{};
    GetIconInfo(icon, &info);
    info.fIcon = FALSE;
    info.xHotspot = kLogoHotSpotX;
    info.yHotspot = kLogoHotSpotY;
    const HCURSOR pointer = CreateIconIndirect(&info);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return pointer;
}
} // namespace

namespace {
// The controls of the layouts must exist before the behaviour's Form_Load, which
// then initialises the common controls as the program always has.
bool registerCommonControls() {
    const INITCOMMONCONTROLSEX classes{sizeof classes,
                                       ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&classes);
}
} // namespace

NativeForms::NativeForms()
    : commonControls_(registerCommonControls()),
      form1(Layout::form1(), FormStyle::fixedWindow(), FormWindow::Build::Now),
      form2(Layout::form2(), FormStyle::toolWindow(), FormWindow::Build::WhenShown) {
    const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
    form1.setIcons(loadIcon(IDI_PROGRESS_WINDOW, big), loadIcon(IDI_PROGRESS_WINDOW, small));
    form2.setIcons(loadIcon(IDI_OPTIONS_WINDOW, big), loadIcon(IDI_OPTIONS_WINDOW, small));

    auto& iconBox = form1.control<NativePictureBox>("Picture1");
    iconBox.setPointer(
        HCURSOR(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_ICON_BOX_HAND),
                           IMAGE_CURSOR, 0, 0, LR_SHARED)));

    auto& logo = form2.control<NativePictureBox>("Picture1");
    logo.setBackground(kLogoBackground);
    logo.showPicture(Picture::fromResource(IDP_LOGO_BANNER));
    logoPointer_ = pointerFromIconResource(IDP_LOGO_HAND);
    logo.setPointer(logoPointer_);
    form2.setTextColour("Label8", kCreditColour);
    // A GIF needs the OLE picture loader, whose first use is slow: not at start
    // while the dialog stays hidden.
    form2.beforeFirstShow = [this] {
        form2.control<NativeButton>("Command4")
            .setBitmap(
                Picture::fromResource(IDP_BROWSE_PICTURE).toBitmap(GetSysColor(COLOR_BTNFACE)));
    };

    form1.onModalLoop = form2.onModalLoop = [this](bool running) {
        if (running)
            timer1.precise().enterModalLoop();
        else
            timer1.precise().leaveModalLoop();
    };
}

NativeForms::~NativeForms() {
    if (logoPointer_) DestroyCursor(logoPointer_);
}
