#pragma once
// A note on a control that says more than its caption: shown as its tooltip,
// and given to screen readers as its accessible description (the text they
// read after the control's name). It may change at any time; a control that
// does not exist yet gets it when it is attached.

#include <windows.h>

#include <string>
#include <string_view>

class ControlNote {
public:
    ControlNote() = default;
    ~ControlNote();
    ControlNote(const ControlNote&) = delete;
    ControlNote& operator=(const ControlNote&) = delete;

    // The control's window, once it is made; it must outlive this note.
    void attach(HWND control);
    void setText(std::wstring_view text);
    const std::wstring& text() const { return text_; }
    // The tooltip window; nullptr until a control is attached.
    HWND toolTip() const { return toolTip_; }

private:
    void apply();

    HWND control_ = nullptr;
    HWND toolTip_ = nullptr;
    std::wstring text_;
};
