#include "ServerSaver.h"

#include "Diagnostics.h"

bool SwitchServerSaver(ServerSaverRequests& server, bool active) {
    constexpr int kOff = 0, kServerDefault = -1;
    ScreenSaverTimes times = server.screenSaver();
    times.timeout = active ? kServerDefault : kOff;
    server.setScreenSaver(times);
    if (server.dpmsCapable()) {
        server.setDpmsEnabled(active);
        return true;
    }
    Diagnostics::note(Diagnostics::Area::ScreenSaver,
                      "the X server has no display power saving (DPMS) to switch");
    return false;
}
