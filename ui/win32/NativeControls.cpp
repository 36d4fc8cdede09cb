#include "NativeControls.h"

#include "FrameClock.h"
#include "WideText.h"

#include <commctrl.h>

std::u16string NativeLabel::caption() const { return windowText(window_); }
void NativeLabel::setCaption(std::u16string_view caption) { setWindowText(window_, caption); }

NativeTextBox::NativeTextBox(HWND window) : NativeControl(window) {
    SendMessageW(window_, EM_SETLIMITTEXT, 0, 0); // 0: as long as the system allows
}

std::u16string NativeTextBox::text() const { return windowText(window_); }

void NativeTextBox::assignText(std::u16string_view text) {
    // EN_CHANGE comes during SetWindowText; TextBox::setText runs Change itself.
    assigning_ = true;
    setWindowText(window_, text);
    assigning_ = false;
}

void NativeTextBox::notify(WORD code) {
    if (code == EN_CHANGE && !assigning_) raiseEvent(Change);
}

int NativeCheckBox::value() const {
    switch (SendMessageW(window_, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return Checked;
    case BST_INDETERMINATE: return Grayed;
    default: return Unchecked;
    }
}

void NativeCheckBox::assignValue(int value) {
    const WPARAM state = value == Checked ? BST_CHECKED : value == Grayed ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageW(window_, BM_SETCHECK, state, 0);
}

// The box is a BS_3STATE button, which leaves its state to the program: a
// user's click toggles between unchecked and checked; a grayed box becomes
// checked, as in the Qt front end.
void NativeCheckBox::notify(WORD code) {
    if (code != BN_CLICKED) return;
    assignValue(value() == Checked ? Unchecked : Checked);
    raiseEvent(Click);
}

void NativeDropDownList::addItem(std::u16string_view text) {
    SendMessageW(window_, CB_ADDSTRING, 0, LPARAM(toWide(text).c_str()));
}

int NativeDropDownList::count() const { return int(SendMessageW(window_, CB_GETCOUNT, 0, 0)); }
int NativeDropDownList::currentIndex() const { return int(SendMessageW(window_, CB_GETCURSEL, 0, 0)); }

// Win32 sends no CBN_SELCHANGE for CB_SETCURSEL; DropDownList runs Click itself.
void NativeDropDownList::assignIndex(int index) {
    SendMessageW(window_, CB_SETCURSEL, WPARAM(index), 0);
    shownIndex_ = index;
}

void NativeDropDownList::notify(WORD code) {
    if (code != CBN_SELCHANGE) return;
    const int index = currentIndex();
    if (index == shownIndex_) return;
    shownIndex_ = index;
    raiseEvent(Click);
}

std::u16string NativeButton::caption() const { return windowText(window_); }
void NativeButton::setCaption(std::u16string_view caption) { setWindowText(window_, caption); }

void NativeButton::notify(WORD code) {
    if (code == BN_CLICKED) raiseEvent(Click);
}

void NativeButton::setBitmap(HBITMAP bitmap) {
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | BS_BITMAP);
    SendMessageW(window_, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap));
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
}

NativeButton::~NativeButton() {
    if (bitmap_) DeleteObject(bitmap_);
}

NativeProgressBar::NativeProgressBar(HWND window, int maximum) : NativeControl(window) {
    SendMessageW(window_, PBM_SETRANGE32, 0, maximum);
}

NativeProgressBar::~NativeProgressBar() { FrameClock::forget(this); }

void NativeProgressBar::setValue(int value) {
    value_ = value;
    FrameClock::update(this, [this] { SendMessageW(window_, PBM_SETPOS, WPARAM(value_), 0); });
}

// The bar's own visibility, whatever its window's.
bool NativeProgressBar::isVisible() const { return GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE; }
void NativeProgressBar::setVisible(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
