#pragma once
// The "Disable Screen Saver" switch on Windows: the system's screen saver
// switched off for the session (lasting after the program, as the box always
// did), and the display kept on by a power request while the program runs.
// The report learns what holds after each switch.

#include <functional>

class DisplayRequest;
class KeepAwakeReport;

class KeepScreenOn {
public:
    using ScreenSaverSwitch = std::function<bool(bool active)>;

    // All must outlive this; screenSaver is SetSystemScreenSaverActive by default.
    KeepScreenOn(KeepAwakeReport& report, DisplayRequest& display,
                 ScreenSaverSwitch screenSaver = {});

    // The platform service: on (true, as after the box was unchecked) or off.
    // True when the screen saver took the change; the display request is
    // asked either way.
    bool setScreenSaverActive(bool active);

    // The session is ending: the display is let go now, while the program
    // still runs; the screen saver stays as the box left it.
    void sessionEnds();

private:
    KeepAwakeReport& report_;
    DisplayRequest& display_;
    ScreenSaverSwitch screenSaver_;
};
