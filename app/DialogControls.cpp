#include "DialogControls.h"

#include "Form2.h"
#include "PlatformServices.h"
#include "QtText.h"

using SettingsStore::CheckBox;
using SettingsStore::TextBox;

std::u16string DialogControls::text(TextBox box, int index) const {
    return lineEdit(box, index)->text().toStdU16String();
}

void DialogControls::setText(TextBox box, int index, std::u16string_view text) {
    Form2::assignText(lineEdit(box, index), fromU16(text));
}

std::int32_t DialogControls::value(CheckBox box) const { return checkBox(box)->value(); }

bool DialogControls::setValue(CheckBox box, std::int32_t value) {
    return checkBox(box)->setValue(value);
}

std::int32_t DialogControls::iconIndex() const { return dialog_.IconList->currentIndex(); }

bool DialogControls::setIconIndex(std::int32_t index) {
    if (index < 0 || index >= dialog_.IconList->count()) return false;
    dialog_.IconList->setCurrentIndex(index);
    return true;
}

void DialogControls::showMessage(std::u16string_view text, SettingsStore::MessageKind kind) {
    services_.showMessage(fromU16(text), kind == SettingsStore::MessageKind::Information
                                             ? MessageIcon::Information
                                             : MessageIcon::Exclamation);
}

QLineEdit* DialogControls::lineEdit(TextBox box, int index) const {
    switch (box) {
    case TextBox::Title: return dialog_.Pmess;
    case TextBox::Status: return dialog_.Status.at(index);
    case TextBox::Speed: return dialog_.Speedbox.at(index);
    case TextBox::CustomIconPath: return dialog_.CustIconFileTxt;
    case TextBox::ButtonText: return dialog_.ButText;
    }
    return dialog_.ButText; // not reached: every box is named above
}

ValueCheckBox* DialogControls::checkBox(CheckBox box) const {
    return box == CheckBox::Dual ? dialog_.DualChk : dialog_.Ssav;
}
