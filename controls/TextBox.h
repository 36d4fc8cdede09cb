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
    // Shows the text without running Change. A front end runs Change through
    // userEdited after each edit of the user's.
    virtual void assignText(std::u16string_view text) = 0;

    // What a front end runs once the box holds the text a user's edit made:
    // Change, then true when the change handling replaced that text (the
    // speed rule does). The front end then selects the replacement, so that
    // the next key replaces it instead of being added to it. Called from the
    // toolkit's callbacks, it runs Change guarded (raiseGuardedEvent).
    bool userEdited() {
        const std::u16string edited = text();
        raiseGuardedEvent(Change);
        return text() != edited;
    }
};
