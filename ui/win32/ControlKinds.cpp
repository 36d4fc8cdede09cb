#include "ControlKinds.h"

#include "NativePictureBox.h"
#include "WideText.h"

#include <commctrl.h>

using Layout::ControlKind;

NativeKind nativeKind(const Layout::ControlEntry& entry) {
    const DWORD tabStop = entry.tabOrder >= 0 ? WS_TABSTOP : 0;
    switch (entry.kind) {
    case ControlKind::Label: {
        DWORD style = SS_NOPREFIX;
        if (entry.align == Layout::Align::Centre)
            style |= SS_CENTER;
        else if (entry.align == Layout::Align::Right)
            style |= SS_RIGHT;
        else
            style |= entry.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
        return {WC_STATICW, style, 0};
    }
    case ControlKind::TextBox:
        return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | tabStop, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
        return {WC_BUTTONW, BS_3STATE | tabStop, 0};
    case ControlKind::DropDownList:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | tabStop, 0};
    case ControlKind::Button:
        return {WC_BUTTONW, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | tabStop, 0};
    case ControlKind::PictureBox:
        return {NativePictureBox::kClassName, tabStop, 0};
    case ControlKind::Frame:
        return {WC_BUTTONW, BS_GROUPBOX, WS_EX_TRANSPARENT};
    case ControlKind::ProgressBar:
        return {PROGRESS_CLASSW, 0, 0};
    }
    return {WC_STATICW, 0, 0};
}

bool showsNoText(const Layout::ControlEntry& entry) {
    return entry.kind == ControlKind::PictureBox || entry.kind == ControlKind::ProgressBar ||
           (entry.kind == ControlKind::Button && entry.caption.empty());
}

std::unique_ptr<NativeControl> controlFor(const Layout::ControlEntry& entry, FramePace& frames) {
    switch (entry.kind) {
    case ControlKind::Label:
        return std::make_unique<NativeLabel>(toU16(entry.caption));
    case ControlKind::TextBox:
        return std::make_unique<NativeTextBox>(toU16(entry.caption));
    case ControlKind::CheckBox:
        return std::make_unique<NativeCheckBox>(entry.checked ? CheckBox::Checked
                                                              : CheckBox::Unchecked);
    case ControlKind::DropDownList:
        return std::make_unique<NativeDropDownList>();
    case ControlKind::Button:
        return std::make_unique<NativeButton>(toU16(entry.caption));
    case ControlKind::PictureBox:
        return std::make_unique<NativePictureBox>(std::wstring(entry.toolTip));
    case ControlKind::ProgressBar:
        return std::make_unique<NativeProgressBar>(entry.maximum, frames);
    case ControlKind::Frame:
        return std::make_unique<NativeControl>();
    }
    return nullptr;
}
