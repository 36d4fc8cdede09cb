#include "KeepAwake.h"

#include "Diagnostics.h"

#include <string_view>
#include <vector>

namespace {

std::string holder(KeepAwakeReport::Way way, const std::string& by) {
    using Way = KeepAwakeReport::Way;
    switch (way) {
    case Way::ScreenSaver:
        return "screen saver off";
    case Way::DisplayRequest:
        return "a display power request";
    case Way::XScreenSaver:
        return "X screen saver off";
    case Way::DisplayPowerSaving:
        return "display power saving off";
    case Way::Session:
        return by.empty() ? "the session" : "the session (" + by + ")";
    case Way::IdleInhibitor:
        return "the compositor (idle inhibitor)";
    }
    return {};
}

std::string_view reason(KeepAwakeReport::Why why) {
    using Why = KeepAwakeReport::Why;
    switch (why) {
    case Why::NotAsked:
        break;
    case Why::NoXServer:
        return "no X server";
    case Why::NoDisplayPowerSaving:
        return "no display power saving";
    case Why::NoSessionBus:
        return "no session bus";
    case Why::NoSessionService:
        return "no screen-saver service in the session";
    case Why::SessionDidNotAnswer:
        return "the session's screen-saver service did not answer";
    case Why::NoIdleInhibition:
        return "the compositor offers no idle inhibition";
    case Why::WindowNotShown:
        return "the window is not shown";
    case Why::ScreenSaverRefused:
        return "the system kept its screen saver";
    case Why::DisplayRequestRefused:
        return "the system took no display request";
    }
    return {};
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

} // namespace

void KeepAwakeReport::setWanted(bool wanted) {
    wanted_ = wanted;
    changed();
}

void KeepAwakeReport::setHolding(Way way, std::string by) {
    ways_[index(way)] = {true, Why::NotAsked, std::move(by)};
    changed();
}

void KeepAwakeReport::setNotHolding(Way way, Why why) {
    ways_[index(way)] = {false, why, {}};
    changed();
}

std::string KeepAwakeReport::compose() const {
    // Unchecked, every way has been let go (or was never asked).
    if (!wanted_) return "Screen saver and power saving left to the system";
    std::vector<std::string> holders, reasons;
    for (std::size_t i = 0; i < kWays; ++i) {
        const State& state = ways_[i];
        if (state.holds)
            holders.push_back(holder(static_cast<Way>(i), state.by));
        else if (state.why != Why::NotAsked)
            reasons.emplace_back(reason(state.why));
    }
    if (!holders.empty()) return "Screen kept on by: " + joined(holders);
    if (reasons.empty()) return "Nothing keeps the screen on";
    return "Nothing keeps the screen on: " + joined(reasons);
}

std::u16string KeepAwakeReport::text() const {
    return {shown_.begin(), shown_.end()}; // ASCII
}

void KeepAwakeReport::changed() {
    if (batches_ > 0) return;
    std::string text = compose();
    if (text == shown_) return;
    shown_ = std::move(text);
    Diagnostics::note(Diagnostics::Area::ScreenSaver, shown_);
    if (onChange) onChange(this->text());
}
