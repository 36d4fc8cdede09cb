#pragma once
// A top-level window: its caption, whether it is shown, and its close request.

#include "Diagnostics.h"

#include <functional>
#include <string>
#include <string_view>

class Window {
public:
    virtual ~Window() = default;

    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;

    // Shows the window, not modal and without an owner; one already shown stays
    // open and comes to the front.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;

    // Asks the window to close, exactly as its close box does: Unload runs, and
    // unless it set Cancel to non-zero the window closes.
    virtual void close() = 0;

    // Runs whenever anything asks the window to close; non-zero Cancel keeps it
    // open. Without a handler the window closes.
    std::function<void(int& Cancel)> Unload;

protected:
    // What a front end calls when a close is asked for: Unload's Cancel, 0
    // without a handler. No exception leaves it (see raiseGuardedEvent).
    int raiseUnload() noexcept {
        int Cancel = 0;
        if (Unload) Diagnostics::guarded("the close handler", [&] { Unload(Cancel); });
        return Cancel;
    }
};
