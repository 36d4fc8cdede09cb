#include "NativePictureBox.h"

#include "ResourceIds.h"
#include "WideText.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace {
constexpr LPARAM kKeyWasDown = 1 << 30; // a key message's repeat bit
}

void NativePictureBox::registerClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowObject::procedure<NativePictureBox>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

NativePictureBox::NativePictureBox(std::wstring toolTip) : toolTipText_(std::move(toolTip)) {
    setBackground(GetSysColor(COLOR_BTNFACE));
}

NativePictureBox::~NativePictureBox() {
    WindowObject::detach(window_);
    if (toolTip_) DestroyWindow(toolTip_);
}

void NativePictureBox::showState() {
    // Loaded before the window existed, perhaps for the system's dpi rather
    // than the window's.
    reload();
    InvalidateRect(window_, nullptr, TRUE);
}

// On the pointer's first visit: a tooltip is a top-level window of its own,
// which the start-up need not pay for.
void NativePictureBox::createToolTip(const MSG& firstMove) {
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        GetAncestor(window_, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(window_);
    tool.uId = UINT_PTR(window_);
    tool.lpszText = toolTipText_.data();
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    SendMessageW(toolTip_, TTM_RELAYEVENT, 0, LPARAM(&firstMove));
}

UINT NativePictureBox::dpi() const {
    if (dpi_) return dpi_;
    return window_ ? GetDpiForWindow(window_) : GetDpiForSystem();
}

void NativePictureBox::show(std::function<Picture(UINT dpi)> source) {
    source_ = std::move(source);
    loadedDpi_ = dpi();
    picture_ = source_(loadedDpi_);
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void NativePictureBox::showBuiltinIcon(int index) {
    if (index < 0 || index >= kBuiltinIcons) return;
    show([index](UINT dpi) {
        return Picture::fromResources(IDP_BUILTIN_ICON_0 + index, IDP_BUILTIN_ICON_2X_0 + index,
                                      dpi, IDP_BUILTIN_ICON_3X_0 + index);
    });
}

void NativePictureBox::showCarried(int id, int doubleId) {
    show([id, doubleId](UINT dpi) { return Picture::fromResources(id, doubleId, dpi); });
}

bool NativePictureBox::loadPicture(std::u16string_view path) {
    const std::wstring file = toWide(path);
    Picture loaded = Picture::fromFile(file, dpi());
    if (loaded.isNull()) return false; // the box keeps what it shows
    source_ = [file](UINT dpi) { return Picture::fromFile(file, dpi); };
    picture_ = std::move(loaded);
    loadedDpi_ = dpi();
    if (window_) InvalidateRect(window_, nullptr, TRUE);
    return true;
}

void NativePictureBox::dpiChanged(UINT dpi) {
    dpi_ = dpi;
    reload();
}

// A file that has gone since it was chosen leaves the picture as it was.
void NativePictureBox::reload() {
    if (!source_ || loadedDpi_ == dpi()) return;
    loadedDpi_ = dpi();
    if (Picture again = source_(loadedDpi_); !again.isNull()) picture_ = std::move(again);
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void NativePictureBox::setBackground(COLORREF colour) {
    background_.reset(CreateSolidBrush(colour));
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void NativePictureBox::setPointer(OwnedPointer pointer) {
    pointer_ = std::move(pointer);
}

void NativePictureBox::paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, background_.get());
    picture_.draw(dc, 0, 0);
    EndPaint(window_, &paint);
}

int NativePictureBox::focusBorder() const {
    return std::max(1, MulDiv(1, int(dpi()), USER_DEFAULT_SCREEN_DPI));
}

RECT NativePictureBox::focusFrame() const {
    RECT frame{};
    if (!window_) return frame;
    GetWindowRect(window_, &frame);
    MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&frame), 2);
    const int reach = 2 * focusBorder(); // the gap, then the band
    InflateRect(&frame, reach, reach);
    return frame;
}

void NativePictureBox::drawFocusFrame(HDC parentDc) const {
    if (!window_ || GetFocus() != window_) return;
    const RECT frame = focusFrame();
    const int cell = focusBorder();
    const int columns = (frame.right - frame.left + cell - 1) / cell,
              rows = (frame.bottom - frame.top + cell - 1) / cell;
    // Every other cell of the band's outermost ring of cells, as the system's
    // dotted focus rectangle; its dots grow with the band.
    const HBRUSH dots = GetSysColorBrush(COLOR_BTNTEXT);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const bool onBand = row == 0 || row == rows - 1 || column == 0 || column == columns - 1;
            if (!onBand || (row + column) % 2) continue;
            RECT dot{frame.left + column * cell, frame.top + row * cell, 0, 0};
            dot.right = std::min(dot.left + cell, LONG(frame.right));
            dot.bottom = std::min(dot.top + cell, LONG(frame.bottom));
            FillRect(parentDc, &dot, dots);
        }
}

LRESULT NativePictureBox::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // paint() fills the whole box
    case WM_SETCURSOR:
        if (pointer_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(pointer_.get());
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (!toolTip_ && !toolTipText_.empty()) {
            const MSG move{window, message, wParam, lParam, DWORD(GetMessageTime()), {}};
            createToolTip(move);
        }
        break;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(window, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wasPressed && PtInRect(&client, at)) raiseGuardedEvent(Click);
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_GETDLGCODE: {
        // Enter comes to the box instead of pressing the window's default
        // button (which these windows do not have); Space comes as to any
        // window.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && !(lParam & kKeyWasDown)) raiseGuardedEvent(Click);
        if (wParam == VK_SPACE && !(lParam & kKeyWasDown)) spaceDown_ = true;
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && std::exchange(spaceDown_, false)) raiseGuardedEvent(Click);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        spaceDown_ = false;
        const RECT frame = focusFrame();
        InvalidateRect(GetParent(window), &frame, TRUE);
        return 0;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
