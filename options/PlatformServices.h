#pragma once
// What the windows ask of the desktop, one function object each, so that tests
// can record what would have been shown or done and answer for the user.
// system() gives the real implementations.

#include <QString>

#include <functional>

class QWidget;

enum class MessageIcon { Information, Exclamation };

struct PlatformServices {
    // A modal box with the text, the icon, one OK button and "Tarrowin" as its
    // caption; returns when the user has closed it. Timer ticks go on meanwhile.
    std::function<void(const QString& text, MessageIcon icon)> showMessage;

    // The open-file dialog, modal to owner: the full path chosen, or an empty
    // text when the user cancelled. The filter is "display|patterns|..." pairs.
    std::function<QString(const QString& filter, const QString& defaultExtension,
                          const QString& initialDirectory, int flags, QWidget* owner)>
        showOpenFileDialog;

    // Switches the screen saver on (true) or off (false); true when that worked.
    std::function<bool(bool active)> setScreenSaverActive;

    // Opens an address with the desktop's default handler, without waiting.
    std::function<void(const QString& address)> openWebPage;

    // Leaves the event loop: the end of the program.
    std::function<void()> endProgram;

    static PlatformServices system();
};
