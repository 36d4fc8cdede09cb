#pragma once
// What the windows ask of the desktop, one function object each, so that tests
// can record what would have been shown or done and answer for the user. Each
// front end fills them with the real implementations.

#include "MessageIcon.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Window;

struct PlatformServices {
    // A modal box with the text, the icon, one OK button and "Tarrowin" as its
    // caption; returns when the user has closed it. Timer ticks go on meanwhile.
    std::function<void(std::u16string_view text, MessageIcon icon)> showMessage;

    // The open-file dialog, modal to owner: the full path chosen, or an empty
    // text when the user cancelled. The filter is "display|patterns|..." pairs;
    // no initial directory (nullopt) lets the platform choose; the flags are
    // the platform dialog's, 0 for its defaults.
    std::function<std::u16string(std::u16string_view filter, std::u16string_view defaultExtension,
                                 const std::optional<std::u16string>& initialDirectory, int flags,
                                 Window* owner)>
        showOpenFileDialog;

    // Switches the screen saver on (true) or off (false); true when that worked.
    std::function<bool(bool active)> setScreenSaverActive;

    // Opens an address with the desktop's default handler, without waiting.
    std::function<void(std::u16string_view address)> openWebPage;

    // The platform's attribute query of a path: true when a file or a folder is
    // there, false for every failure. A platform that asks in another encoding
    // converts the path itself.
    std::function<bool(std::u16string_view path)> fileExists;

    // Gets the toolkit's controls ready for the windows (on Win32, registers
    // the common controls' window classes); false when the platform lacks the
    // means. A toolkit that needs nothing answers true.
    std::function<bool()> prepareControls;

    // Leaves the event loop: the end of the program. Nothing runs after it.
    std::function<void()> endProgram;
};
