#include "ServerSaver.h"

#include "Diagnostics.h"

void SwitchServerSaver(ServerSaverRequests& server, bool active) {
    constexpr int kOff = 0, kServerDefault = -1;
    ScreenSaverTimes times = server.screenSaver();
    times.timeout = active ? kServerDefault : kOff;
    server.setScreenSaver(times);
    if (server.dpmsCapable())
        server.setDpmsEnabled(active);
    else
        Diagnostics::note(Diagnostics::Area::ScreenSaver,
                          "the X server has no display power saving (DPMS) to switch");
}
