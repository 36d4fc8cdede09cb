#pragma once
// A drop-down list: entries the user can only pick from, no typing. It starts
// empty with nothing selected (-1). Every change of the selection runs Click,
// the program's too.

#include "ControlEvent.h"

#include <string_view>

class DropDownList {
public:
    virtual ~DropDownList() = default;

    // Appends an entry; the selection stays as it is.
    virtual void addItem(std::u16string_view text) = 0;
    virtual int count() const = 0;
    virtual int currentIndex() const = 0;

    // False, and no change, for an index the list does not have. A new
    // selection runs Click; what Click throws reaches the caller, with the
    // selection made.
    bool setCurrentIndex(int index) {
        if (index < 0 || index >= count()) return false;
        if (index == currentIndex()) return true;
        assignIndex(index);
        raiseEvent(Click);
        return true;
    }

    ControlEvent Click;

protected:
    // Selects the entry without running Click. A front end runs Click itself,
    // with raiseGuardedEvent(Click), after each choice of the user's that changes the
    // selection.
    virtual void assignIndex(int index) = 0;
};
