#include "KeepScreenOn.h"

#include "DisplayRequest.h"
#include "KeepAwake.h"
#include "SystemActions.h"

#include <utility>

namespace {
using Way = KeepAwakeReport::Way;
using Why = KeepAwakeReport::Why;
} // namespace

KeepScreenOn::KeepScreenOn(KeepAwakeReport& report, DisplayRequest& display,
                           ScreenSaverSwitch screenSaver)
    : report_(report), display_(display),
      screenSaver_(screenSaver ? std::move(screenSaver) : SetSystemScreenSaverActive) {}

bool KeepScreenOn::setScreenSaverActive(bool active) {
    const bool keepOn = !active;
    const KeepAwakeReport::Batch oneChange(report_);
    report_.setWanted(keepOn);

    const bool switched = screenSaver_(active);
    if (keepOn && switched)
        report_.setHolding(Way::ScreenSaver);
    else
        report_.setNotHolding(Way::ScreenSaver, keepOn ? Why::ScreenSaverRefused : Why::NotAsked);

    const bool display = display_.setRequired(keepOn);
    if (keepOn && display)
        report_.setHolding(Way::DisplayRequest);
    else
        report_.setNotHolding(Way::DisplayRequest,
                              keepOn ? Why::DisplayRequestRefused : Why::NotAsked);
    return switched;
}

void KeepScreenOn::sessionEnds() {
    display_.setRequired(false);
    report_.setNotHolding(Way::DisplayRequest, Why::NotAsked);
}
