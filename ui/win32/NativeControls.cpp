#include "NativeControls.h"

#include "WideText.h"

#include <commctrl.h>

void NativeLabel::setCaption(std::u16string_view caption) {
    caption_ = caption;
    if (window_) setWindowText(window_, caption_);
}

void NativeLabel::showState() {
    setWindowText(window_, caption_);
}

void NativeTextBox::assignText(std::u16string_view text) {
    text_ = text;
    if (!window_) return;
    // EN_CHANGE comes during SetWindowText; TextBox::setText runs Change itself.
    assigning_ = true;
    setWindowText(window_, text_);
    assigning_ = false;
}

void NativeTextBox::showState() {
    SendMessageW(window_, EM_SETLIMITTEXT, 0, 0); // 0: as long as the system allows
    assignText(std::u16string(text_));
}

// EN_CHANGE comes for every change of the text that the program does not make
// itself: typing, pasting, undo, a drop, or another program setting the text.
void NativeTextBox::notify(WORD code) {
    if (code != EN_CHANGE || assigning_) return;
    text_ = windowText(window_);
    // Else the next key would go in front of the replacement, where the caret
    // of a replaced text stands.
    if (userEdited()) SendMessageW(window_, EM_SETSEL, 0, -1);
}

void NativeCheckBox::assignValue(int value) {
    value_ = value;
    if (window_) showState();
}

void NativeCheckBox::showState() {
    const WPARAM state = value_ == Checked  ? BST_CHECKED
                         : value_ == Grayed ? BST_INDETERMINATE
                                            : BST_UNCHECKED;
    SendMessageW(window_, BM_SETCHECK, state, 0);
}

// The box is a BS_3STATE button, which leaves its state to the program.
void NativeCheckBox::notify(WORD code) {
    if (code != BN_CLICKED) return;
    assignValue(valueAfterClick(value_));
    raiseGuardedEvent(Click);
}

void NativeDropDownList::addItem(std::u16string_view text) {
    items_.emplace_back(text);
    if (window_) SendMessageW(window_, CB_ADDSTRING, 0, LPARAM(toWide(text).c_str()));
}

// Win32 sends no CBN_SELCHANGE for CB_SETCURSEL; DropDownList runs Click itself.
void NativeDropDownList::assignIndex(int index) {
    index_ = index;
    if (window_) SendMessageW(window_, CB_SETCURSEL, WPARAM(index_), 0);
}

void NativeDropDownList::showState() {
    for (const auto& item : items_)
        SendMessageW(window_, CB_ADDSTRING, 0, LPARAM(toWide(item).c_str()));
    SendMessageW(window_, CB_SETCURSEL, WPARAM(index_), 0);
}

void NativeDropDownList::notify(WORD code) {
    if (code != CBN_SELCHANGE) return;
    const auto index = int(SendMessageW(window_, CB_GETCURSEL, 0, 0));
    if (index == index_) return;
    index_ = index;
    raiseGuardedEvent(Click);
}

void NativeButton::setCaption(std::u16string_view caption) {
    caption_ = caption;
    if (window_) setWindowText(window_, caption_);
}

void NativeButton::setIcon(OwnedIcon icon) {
    icon_.swap(icon); // the old one goes once the window shows the new one
    if (window_) showState();
}

void NativeButton::showState() {
    // A button without a caption (a picture) keeps the accessible name the
    // form gave its window.
    if (!caption_.empty()) setWindowText(window_, caption_);
    if (!icon_) return;
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | BS_ICON);
    SendMessageW(window_, BM_SETIMAGE, IMAGE_ICON, LPARAM(icon_.get()));
}

void NativeButton::notify(WORD code) {
    if (code == BN_CLICKED) raiseGuardedEvent(Click);
}

NativeProgressBar::~NativeProgressBar() {
    frames_.forget(this);
}

void NativeProgressBar::setValue(int value) {
    value_ = value;
    if (window_)
        frames_.handOn(this, [this] { SendMessageW(window_, PBM_SETPOS, WPARAM(value_), 0); });
}

void NativeProgressBar::setVisible(bool visible) {
    visible_ = visible;
    if (window_) ShowWindow(window_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void NativeProgressBar::showState() {
    SendMessageW(window_, PBM_SETRANGE32, 0, maximum_);
    SendMessageW(window_, PBM_SETPOS, WPARAM(value_), 0);
    ShowWindow(window_, visible_ ? SW_SHOWNA : SW_HIDE);
}
