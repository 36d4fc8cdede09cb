#pragma once
// A check box whose value is a number: 0 unchecked, 1 checked, 2 grayed. Only
// the program makes it grayed (from a stored value); a user's click toggles
// between 0 and 1. Every change of the value runs Click, the program's too.

#include "ControlEvent.h"

class CheckBox {
public:
    enum Value { Unchecked = 0, Checked = 1, Grayed = 2 };

    virtual ~CheckBox() = default;

    virtual int value() const = 0;

    // The value a user's click gives a box that holds `value`: it toggles
    // between unchecked and checked, and a grayed box becomes checked.
    static constexpr int valueAfterClick(int value) {
        return value == Checked ? Unchecked : Checked;
    }

    // False, and no change, for a number that is no check-box value. A new
    // value runs Click; what Click throws reaches the caller, with the value
    // taken.
    bool setValue(int value) {
        if (value != Unchecked && value != Checked && value != Grayed) return false;
        if (value == this->value()) return true;
        assignValue(value);
        raiseEvent(Click);
        return true;
    }

    ControlEvent Click;

protected:
    // Shows the value without running Click. A front end runs Click itself,
    // with raiseGuardedEvent(Click), after each click of the user's, which gives
    // the box valueAfterClick.
    virtual void assignValue(int value) = 0;
};
