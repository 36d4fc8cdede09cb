#pragma once
// A push button with a caption. Never a default button: Enter does not press
// it. The front end runs Click when the user presses it.

#include "ControlEvent.h"

#include <string>
#include <string_view>

class CommandButton {
public:
    virtual ~CommandButton() = default;
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;

    ControlEvent Click;
};
