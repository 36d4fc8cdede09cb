#pragma once
// A one-line text box. It holds its text only up to the first NUL character,
// and every change of its text runs Change: the user's edits and the
// program's own assignments alike.

#include "ControlEvent.h"

#include <string>
#include <string_view>

class TextBox {
public:
    virtual ~TextBox() = default;

    virtual std::u16string text() const = 0;

    // Takes the text as far as its first NUL; when that differs from the text
    // the box holds, the box takes it and Change runs. What Change throws
    // reaches the caller, with the text taken.
    void setText(std::u16string_view text) {
        text = text.substr(0, text.find(u'\0'));
        if (text == this->text()) return;
        assignText(text);
        raiseEvent(Change);
    }

    ControlEvent Change;

protected:
    // Shows the text without running Change. A front end runs Change itself,
    // with raiseGuardedEvent(Change), after each edit of the user's.
    virtual void assignText(std::u16string_view text) = 0;
};
