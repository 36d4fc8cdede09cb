#include "ScreenKeeper.h"

#include "KeepAwake.h"
#include "SessionInhibitor.h"
#include "WaylandIdleInhibitor.h"

#include <utility>

namespace {
using Way = KeepAwakeReport::Way;
using Why = KeepAwakeReport::Why;
} // namespace

ScreenKeeper::ScreenKeeper(KeepAwakeReport& report, SessionInhibitor& session,
                           WaylandIdleInhibitor* compositor, ServerSwitch server)
    : report_(report), session_(session), compositor_(compositor), server_(std::move(server)) {
    session_.onChange = [this] { reportSession(); };
    if (compositor_) compositor_->onChange = [this] { reportCompositor(); };
}

ScreenKeeper::~ScreenKeeper() {
    session_.onChange = nullptr;
    if (compositor_) compositor_->onChange = nullptr;
}

bool ScreenKeeper::setScreenSaverActive(bool active) {
    const bool keepOn = !active;
    const KeepAwakeReport::Batch oneChange(report_);
    report_.setWanted(keepOn);

    const X11SaverSwitch server = server_(active);
    if (!keepOn) {
        report_.setNotHolding(Way::XScreenSaver, Why::NotAsked);
        report_.setNotHolding(Way::DisplayPowerSaving, Why::NotAsked);
    } else if (server.server) {
        report_.setHolding(Way::XScreenSaver);
        if (server.displayPower)
            report_.setHolding(Way::DisplayPowerSaving);
        else
            report_.setNotHolding(Way::DisplayPowerSaving, Why::NoDisplayPowerSaving);
    } else {
        report_.setNotHolding(Way::XScreenSaver, Why::NoXServer);
        report_.setNotHolding(Way::DisplayPowerSaving, Why::NotAsked);
    }

    const bool session = session_.setInhibited(keepOn);
    reportSession();

    bool compositor = false;
    if (compositor_) {
        compositor_->setInhibited(keepOn);
        compositor = keepOn && compositor_->state() == WaylandIdleInhibitor::State::Holding;
        reportCompositor();
    }
    return server.server || session || compositor;
}

void ScreenKeeper::reportSession() {
    if (session_.isInhibited()) {
        report_.setHolding(Way::Session, session_.heldBy().toStdString());
        return;
    }
    Why why = Why::NotAsked;
    if (report_.wanted()) {
        switch (session_.failure()) {
        case SessionInhibitor::Failure::None:
            break;
        case SessionInhibitor::Failure::NoBus:
            why = Why::NoSessionBus;
            break;
        case SessionInhibitor::Failure::NoService:
            why = Why::NoSessionService;
            break;
        case SessionInhibitor::Failure::NoAnswer:
            why = Why::SessionDidNotAnswer;
            break;
        }
    }
    report_.setNotHolding(Way::Session, why);
}

void ScreenKeeper::reportCompositor() {
    switch (compositor_->state()) {
    case WaylandIdleInhibitor::State::Off:
        report_.setNotHolding(Way::IdleInhibitor, Why::NotAsked);
        break;
    case WaylandIdleInhibitor::State::Holding:
        report_.setHolding(Way::IdleInhibitor);
        break;
    case WaylandIdleInhibitor::State::NoProtocol:
        report_.setNotHolding(Way::IdleInhibitor, Why::NoIdleInhibition);
        break;
    case WaylandIdleInhibitor::State::WindowNotShown:
        report_.setNotHolding(Way::IdleInhibitor, Why::WindowNotShown);
        break;
    }
}
