#pragma once
// Switching the X server's screen saver and display power saving, written
// against the few requests it needs so that it can be tried on a stand-in for
// a server with DPMS (the virtual servers that run tests have none).

struct ScreenSaverTimes {
    int timeout = 0; // seconds; 0 is off, -1 asks for the server's default
    int interval = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
};

class ServerSaverRequests {
public:
    virtual ~ServerSaverRequests() = default;
    virtual ScreenSaverTimes screenSaver() = 0;
    virtual void setScreenSaver(const ScreenSaverTimes& times) = 0;
    // False for a server without the DPMS extension or a screen it cannot power down.
    virtual bool dpmsCapable() = 0;
    virtual void setDpmsEnabled(bool enabled) = 0;
};

// Off (false): saver timeout 0 and power saving disabled. On (true): the
// server's default timeout and power saving enabled. The saver's other times
// are kept; the power steps are skipped where the server has no DPMS. True when
// the power saving was switched too.
bool SwitchServerSaver(ServerSaverRequests& server, bool active);
