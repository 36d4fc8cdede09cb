#include "DialogControls.h"

#include "PlatformServices.h"

using Box = SettingsStore::TextSetting;
using Check = SettingsStore::CheckSetting;

namespace {
constexpr std::u16string_view kWelcome =
    u"Welcome to the Tarrowin.  Clicking on the progress bar icon brings up the options "
    u"screen.  Enjoy!";
constexpr std::u16string_view kCannotCreateKey = u"Error creating registry key";
} // namespace

std::u16string DialogControls::text(Box box, int index) const {
    return textBox(box, index).text();
}

void DialogControls::setText(Box box, int index, std::u16string_view text) {
    textBox(box, index).setText(text);
}

std::int32_t DialogControls::value(Check box) const {
    return checkBox(box).value();
}

bool DialogControls::setValue(Check box, std::int32_t value) {
    return checkBox(box).setValue(value);
}

std::int32_t DialogControls::iconIndex() const {
    return dialog_.IconList.currentIndex();
}

bool DialogControls::setIconIndex(std::int32_t index) {
    return dialog_.IconList.setCurrentIndex(index);
}

void DialogControls::showNotice(SettingsStore::Notice notice) {
    if (notice == SettingsStore::Notice::Welcome)
        services_.showMessage(kWelcome, MessageIcon::Information);
    else
        services_.showMessage(kCannotCreateKey, MessageIcon::Exclamation);
}

TextBox& DialogControls::textBox(Box box, int index) const {
    switch (box) {
    case Box::Title:
        return dialog_.Pmess;
    case Box::Status:
        return *dialog_.Status.at(index);
    case Box::Speed:
        return *dialog_.Speedbox.at(index);
    case Box::CustomIconPath:
        return dialog_.CustIconFileTxt;
    case Box::ButtonText:
        return dialog_.ButText;
    }
    return dialog_.ButText; // not reached: every box is named above
}

CheckBox& DialogControls::checkBox(Check box) const {
    return box == Check::Dual ? dialog_.DualChk : dialog_.Ssav;
}
