#pragma once
// The "Disable Screen Saver" switch on Linux. Every way a desktop of today may
// listen to is asked, since a program cannot tell which one blanks the screen:
// the X server's saver and display power saving (lasting after the program),
// the session's screen-saver service or portal, and the compositor's idle
// inhibition on the progress window under Wayland (both ending with the
// program). The report learns what holds after each switch and whenever the
// session or the window changes it.

#include "X11ScreenSaver.h"

#include <functional>

class KeepAwakeReport;
class SessionInhibitor;
class WaylandIdleInhibitor;

class ScreenKeeper {
public:
    using ServerSwitch = std::function<X11SaverSwitch(bool active)>;

    // compositor is null where Qt does not run on Wayland. All must outlive this.
    ScreenKeeper(KeepAwakeReport& report, SessionInhibitor& session,
                 WaylandIdleInhibitor* compositor, ServerSwitch server = SwitchX11ScreenSaver);
    ~ScreenKeeper();
    ScreenKeeper(const ScreenKeeper&) = delete;
    ScreenKeeper& operator=(const ScreenKeeper&) = delete;

    // The platform service: on (true, as after the box was unchecked) or off.
    // True when at least one way took the request; every way is always asked.
    bool setScreenSaverActive(bool active);

private:
    void reportSession();
    void reportCompositor();

    KeepAwakeReport& report_;
    SessionInhibitor& session_;
    WaylandIdleInhibitor* compositor_;
    ServerSwitch server_;
};
