#include "ServerSaver.h"

void SwitchServerSaver(ServerSaverRequests& server, bool active) {
    constexpr int kOff = 0, kServerDefault = -1;
    ScreenSaverTimes times = server.screenSaver();
    times.timeout = active ? kServerDefault : kOff;
    server.setScreenSaver(times);
    if (server.dpmsCapable()) server.setDpmsEnabled(active);
}
