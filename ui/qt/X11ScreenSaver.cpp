#include "X11ScreenSaver.h"

#include "Diagnostics.h"
#include "ServerSaver.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {

class XServerRequests final : public ServerSaverRequests {
public:
    explicit XServerRequests(Display* display) : display_(display) {}

    ScreenSaverTimes screenSaver() override {
        ScreenSaverTimes times;
        XGetScreenSaver(display_, &times.timeout, &times.interval, &times.preferBlanking,
                        &times.allowExposures);
        return times;
    }
    void setScreenSaver(const ScreenSaverTimes& times) override {
        XSetScreenSaver(display_, times.timeout, times.interval, times.preferBlanking,
                        times.allowExposures);
    }
    bool dpmsCapable() override {
        int eventBase = 0, errorBase = 0;
        return DPMSQueryExtension(display_, &eventBase, &errorBase) && DPMSCapable(display_);
    }
    void setDpmsEnabled(bool enabled) override {
        enabled ? DPMSEnable(display_) : DPMSDisable(display_);
    }

private:
    Display* display_;
};

} // namespace

X11SaverSwitch SwitchX11ScreenSaver(bool active) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        Diagnostics::note(Diagnostics::Area::ScreenSaver,
                          "no X display: the X screen saver is left as it is");
        return {};
    }
    XServerRequests server(display);
    const bool displayPower = SwitchServerSaver(server, active);
    XSync(display, False);
    XCloseDisplay(display);
    return {.server = true, .displayPower = displayPower};
}
