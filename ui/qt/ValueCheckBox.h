#pragma once
// A check box whose value is a number, as the settings store keeps it: 0
// unchecked, 1 checked, 2 grayed. Only a stored value makes it grayed; a click by
// the user gives it CheckBox::valueAfterClick.

#include "CheckBox.h"

#include <QCheckBox>

class ValueCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using Value = CheckBox::Value;
    using enum CheckBox::Value;

    using QCheckBox::QCheckBox;

    int value() const;
    // False, and no change, for a number that is not a check-box value.
    bool setValue(int value);

protected:
    void nextCheckState() override;
};
