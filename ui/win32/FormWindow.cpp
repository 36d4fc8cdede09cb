#include "FormWindow.h"

#include "ControlKinds.h"
#include "FocusedButton.h"
#include "Fonts.h"
#include "MessageLoop.h"
#include "NativePictureBox.h"
#include "SystemActions.h"
#include "WideText.h"
#include "WindowObject.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {
constexpr wchar_t kFormClass[] = L"TarrowinForm";
constexpr int kFirstControlId = 100; // below are IDOK and IDCANCEL, which Enter and Escape send
constexpr int kDropDownRows = 8;
constexpr int kFieldHeightAttempts = 4;

using Layout::ControlKind;

// The classes of every window the forms make, registered before the first
// one: the common controls' the layouts use, the forms' own and the picture
// box's.
void registerWindowClasses() {
    static const bool registered = [] {
        InitializeCommonControlClasses(ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowObject::procedure<FormWindow>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        RegisterClassExW(&windowClass);
        NativePictureBox::registerClass();
        return true;
    }();
    (void)registered;
}

// Keyboard order first, as IsDialogMessage walks the children in creation
// order, each control with the label that names it just before it: Windows'
// accessibility proxies name a text box or a list by the label that precedes
// it, and a label's mnemonic moves the focus to the control after it. The rest
// (other labels, bars, frames, pictures) after. Creation order is also the
// order from top to bottom: frames lie under their contents.
std::vector<const Layout::ControlEntry*> creationOrder(const Layout::WindowLayout& layout) {
    std::vector<const Layout::ControlEntry*> order;
    for (const auto& entry : layout.controls)
        if (entry.buddy.empty()) order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        const auto key = [](const Layout::ControlEntry* s) {
            return s->tabOrder < 0 ? INT_MAX : s->tabOrder;
        };
        return key(a) < key(b);
    });
    for (const auto& label : layout.controls) {
        if (label.buddy.empty()) continue;
        const auto named = std::find_if(order.begin(), order.end(), [&](const auto* entry) {
            return entry->name == label.buddy;
        });
        order.insert(named, &label);
    }
    return order;
}

// A word-wrapped label shows whole lines of its text only. The status line is
// a little taller than one line: without this the top of a long message's
// second line would show along its bottom edge. The label keeps its
// rectangle; below its last whole line the window's face shows through.
void showWholeLines(HWND label, int width, int height) {
    const HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics); // a wrapped static steps by the font's height
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    const int line = int(metrics.tmHeight);
    const int shown = line > 0 && height > line ? height / line * line : height;
    // The window owns the region from here on; none means the whole window.
    SetWindowRgn(label, shown < height ? CreateRectRgn(0, 0, width, shown) : nullptr, FALSE);
}

// Controls that show a value rather than a caption, named for assistive tools
// by the label before them.
bool namedByLabel(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::DropDownList ||
           kind == ControlKind::ProgressBar;
}

// What a label says, as a name: without its mnemonic's ampersand and the colon
// that ends it.
std::wstring spokenLabel(std::wstring_view caption) {
    std::wstring spoken;
    for (const wchar_t c : caption)
        if (c != L'&') spoken += c;
    if (!spoken.empty() && spoken.back() == L':') spoken.pop_back();
    return spoken;
}

// A control that shows a value gets a label that is never shown, holding its
// accessible name, when the layout gives it no label that says that name
// ("Status 2" has none, "Status 1" one that says "Status:").
bool needsNameLabel(const Layout::WindowLayout& layout, const Layout::ControlEntry& entry) {
    if (!namedByLabel(entry.kind) || entry.accessibleName.empty()) return false;
    return std::none_of(layout.controls.begin(), layout.controls.end(), [&](const auto& label) {
        return label.buddy == entry.name && spokenLabel(label.caption) == entry.accessibleName;
    });
}
} // namespace

FormStyle FormStyle::fixedWindow() {
    return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, true};
}

FormStyle FormStyle::toolWindow() {
    return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, false};
}

FormWindow::FormWindow(const Layout::WindowLayout& layout, const FormStyle& style, Build when,
                       FramePace& frames)
    : layout_(layout), style_(style), caption_(toU16(layout.title)) {
    for (const auto* entry : creationOrder(layout))
        children_.push_back({entry, controlFor(*entry, frames), GetSysColor(COLOR_BTNTEXT)});
    if (when == Build::Now) build();
}

// The controls go first, their windows with the window's (the fonts and
// icons they show after them, as members).
FormWindow::~FormWindow() {
    children_.clear();
    if (!window_) return;
    WindowObject::detach(window_);
    DestroyWindow(window_);
}

void FormWindow::build() {
    if (window_) return;
    registerWindowClasses();
    dpi_ = GetDpiForSystem();
    RECT outer{0, 0, MulDiv(layout_.clientWidth, int(dpi_), USER_DEFAULT_SCREEN_DPI),
               MulDiv(layout_.clientHeight, int(dpi_), USER_DEFAULT_SCREEN_DPI)};
    AdjustWindowRectExForDpi(&outer, style_.style, FALSE, style_.exStyle, dpi_);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (style_.centred) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    const std::wstring title = toWide(caption_);
    CreateWindowExW(style_.exStyle, kFormClass, title.c_str(), style_.style, x, y, width, height,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this); // sets window_
    if (!window_) throw std::runtime_error("cannot create window " + std::string(layout_.name));
    showIcons();
    enableDialogKeys(window_);

    int id = kFirstControlId;
    for (Child& child : children_) {
        const auto& entry = *child.entry;
        if (needsNameLabel(layout_, entry)) {
            const std::wstring name(entry.accessibleName);
            CreateWindowExW(0, WC_STATICW, name.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0,
                            window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        createChild(child, id++);
    }
    applyLayout();
}

void FormWindow::createChild(Child& child, int id) {
    const NativeKind kind = nativeKind(*child.entry);
    // The layout's caption, which controls whose text can change replace with
    // their own when they attach; or the accessible name (showsNoText).
    const auto& entry = *child.entry;
    const std::wstring caption(showsNoText(entry) ? entry.accessibleName : entry.caption);
    const HWND hwnd = CreateWindowExW(kind.exStyle, kind.windowClass, caption.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0, 0,
                                      0, window_, HMENU(INT_PTR(id)), GetModuleHandleW(nullptr),
                                      child.control->windowObject());
    if (entry.kind == ControlKind::Button) makeDefaultWhileFocused(hwnd);
    child.control->attach(hwnd);
}

RECT FormWindow::scaled(const Layout::Rect& rect) const {
    const auto scale = [this](int value) {
        return MulDiv(value, int(dpi_), USER_DEFAULT_SCREEN_DPI);
    };
    return {scale(rect.x), scale(rect.y), scale(rect.x + rect.width), scale(rect.y + rect.height)};
}

// One font for each face, size and weight the layout uses.
HFONT FormWindow::fontFor(const Layout::ControlEntry& entry) {
    const auto& wanted = entry.font ? entry.font : layout_.font;
    if (!wanted) return HFONT(GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& [made, font] : fonts_)
        if (made.family == wanted->family && made.pointSize == wanted->pointSize &&
            made.bold == wanted->bold)
            return font.get();
    return fonts_.emplace_back(*wanted, createLayoutFont(*wanted, dpi_)).second.get();
}

void FormWindow::applyLayout() {
    decltype(fonts_) previous;
    previous.swap(fonts_);
    for (const Child& child : children_) {
        const HWND hwnd = child.control->hwnd();
        const RECT place = scaled(child.entry->inWindow);
        const int width = place.right - place.left, height = place.bottom - place.top;
        SendMessageW(hwnd, WM_SETFONT, WPARAM(fontFor(*child.entry)), FALSE);
        if (child.entry->kind == ControlKind::DropDownList) {
            // A drop-down list's height is that of its open list; its closed
            // height follows the height of its selection field.
            MoveWindow(hwnd, place.left, place.top, width, height * kDropDownRows, FALSE);
            // Measured, since the field's frame differs between systems and
            // themes (and Wine adds to the height asked for).
            auto field = int(SendMessageW(hwnd, CB_GETITEMHEIGHT, WPARAM(-1), 0));
            for (int attempt = 0; attempt < kFieldHeightAttempts; ++attempt) {
                RECT closed;
                GetWindowRect(hwnd, &closed);
                const int off = height - (closed.bottom - closed.top);
                if (off == 0) break;
                field += off;
                SendMessageW(hwnd, CB_SETITEMHEIGHT, WPARAM(-1), field);
            }
        } else {
            MoveWindow(hwnd, place.left, place.top, width, height, FALSE);
        }
        if (child.entry->kind == ControlKind::Label && child.entry->wordWrap)
            showWholeLines(hwnd, width, height);
    }
    // A label lies above the control it names; where it reaches into the
    // control (a pixel, in these layouts) it would hide the control's border.
    // It gives up that strip, along its bottom or its right side.
    for (const Child& label : children_) {
        const HWND named = label.entry->buddy.empty() ? nullptr : child(label.entry->buddy);
        RECT own, other, overlap;
        if (!named || !GetWindowRect(label.control->hwnd(), &own) ||
            !GetWindowRect(named, &other) || !IntersectRect(&overlap, &own, &other))
            continue;
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&own), 2);
        const int overlapWidth = overlap.right - overlap.left;
        const int overlapHeight = overlap.bottom - overlap.top;
        if (overlapHeight <= overlapWidth)
            own.bottom -= overlapHeight;
        else
            own.right -= overlapWidth;
        MoveWindow(label.control->hwnd(), own.left, own.top, own.right - own.left,
                   own.bottom - own.top, FALSE);
    }
    InvalidateRect(window_, nullptr, TRUE); // the previous fonts go now, no longer shown
}

NativeControl* FormWindow::find(std::string_view name) const {
    for (const Child& child : children_)
        if (child.entry->name == name) return child.control.get();
    return nullptr;
}

HWND FormWindow::child(std::string_view name) const {
    const NativeControl* control = find(name);
    return control ? control->hwnd() : nullptr;
}

void FormWindow::setTextColour(std::string_view name, COLORREF colour) {
    for (Child& child : children_)
        if (child.entry->name == name) {
            child.textColour = colour;
            if (child.control->hwnd()) InvalidateRect(child.control->hwnd(), nullptr, TRUE);
        }
}

void FormWindow::setIcons(OwnedIcon big, OwnedIcon small) {
    // The old ones go once the window shows the new ones.
    big.swap(bigIcon_);
    small.swap(smallIcon_);
    showIcons();
}

void FormWindow::showIcons() {
    if (!window_) return;
    SendMessageW(window_, WM_SETICON, ICON_BIG, LPARAM(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, LPARAM(smallIcon_.get()));
}

std::u16string FormWindow::caption() const {
    return caption_;
}

void FormWindow::setCaption(std::u16string_view caption) {
    caption_ = caption;
    if (window_) setWindowText(window_, caption_);
}

void FormWindow::show() {
    build();
    if (beforeFirstShow) std::exchange(beforeFirstShow, nullptr)();
    const HWND active = GetActiveWindow();
    if (showsBehindActiveWindow && active && active != window_ && IsWindowVisible(active)) {
        SetWindowPos(window_, active, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void FormWindow::hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

bool FormWindow::isVisible() const {
    return window_ && IsWindowVisible(window_);
}

void FormWindow::close() {
    if (window_)
        SendMessageW(window_, WM_CLOSE, 0, 0);
    else
        closeRequested();
}

void FormWindow::closeRequested() {
    if (raiseUnload() == 0) hide();
}

void FormWindow::windowCreated(HWND window) {
    window_ = window;
}

void FormWindow::windowDestroyed() {
    window_ = nullptr;
}

LRESULT FormWindow::handle(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Controls only: Enter and Escape send IDOK and IDCANCEL, which no
        // button of these windows answers.
        if (lParam && LOWORD(wParam) >= kFirstControlId) {
            for (Child& child : children_)
                if (child.control->hwnd() == HWND(lParam)) {
                    child.control->notify(HIWORD(wParam));
                    break;
                }
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        for (const Child& child : children_)
            if (child.control->hwnd() == HWND(lParam)) {
                const HDC dc = HDC(wParam);
                SetTextColor(dc, child.textColour);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
            }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        for (const Child& child : children_)
            if (const auto* box = dynamic_cast<const NativePictureBox*>(child.control.get()))
                box->drawFocusFrame(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        // Themed controls (a frame) draw the window's background behind them
        // through this message.
        RECT client;
        GetClientRect(window_, &client);
        FillRect(HDC(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
    }
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_QUERYENDSESSION:
        if (onEndSession) onEndSession();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && onSessionEnded) onSessionEnded();
        return 0;
    case WM_ACTIVATE:
        // The keyboard focus comes back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else {
            SetFocus(lastFocus_ ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
        }
        return 0;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
        if (onModalLoop) onModalLoop(true);
        break;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        if (onModalLoop) onModalLoop(false);
        break;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        applyLayout();
        for (Child& child : children_)
            child.control->dpiChanged(dpi_);
        if (onDpiChanged) onDpiChanged(dpi_);
        return 0;
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
