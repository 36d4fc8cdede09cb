#include "ValueCheckBox.h"

int ValueCheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return Checked;
    case Qt::PartiallyChecked:
        return Grayed;
    case Qt::Unchecked:
        break;
    }
    return Unchecked;
}

bool ValueCheckBox::setValue(int value) {
    switch (value) {
    case Unchecked:
        setCheckState(Qt::Unchecked);
        return true;
    case Checked:
        setCheckState(Qt::Checked);
        return true;
    case Grayed:
        setCheckState(Qt::PartiallyChecked);
        return true;
    default:
        return false;
    }
}

void ValueCheckBox::nextCheckState() {
    setValue(CheckBox::valueAfterClick(value()));
}
