// The text that tells the user what keeps the screen on, made from what each
// way of asking reported, and handed on only when it changes.
#include "KeepAwake.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Way = KeepAwakeReport::Way;
using Why = KeepAwakeReport::Why;

std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

TEST(KeepAwakeText, NamesWhatHoldsOrWhyNothingDoes) {
    struct Case {
        const char* situation;
        bool wanted;
        std::function<void(KeepAwakeReport&)> reports;
        const char* text;
    };
    const Case cases[] = {
        {"never asked", false, [](KeepAwakeReport&) {},
         "Screen saver and power saving left to the system"},
        {"released", false,
         [](KeepAwakeReport& r) {
             r.setNotHolding(Way::XScreenSaver, Why::NotAsked);
             r.setNotHolding(Way::Session, Why::NotAsked);
         },
         "Screen saver and power saving left to the system"},
        {"X server with display power saving and a session service", true,
         [](KeepAwakeReport& r) {
             r.setHolding(Way::Session, "org.freedesktop.ScreenSaver");
             r.setHolding(Way::DisplayPowerSaving);
             r.setHolding(Way::XScreenSaver);
         },
         "Screen kept on by: X screen saver off, display power saving off, the session "
         "(org.freedesktop.ScreenSaver)"},
        {"X server without display power saving, no session bus", true,
         [](KeepAwakeReport& r) {
             r.setHolding(Way::XScreenSaver);
             r.setNotHolding(Way::DisplayPowerSaving, Why::NoDisplayPowerSaving);
             r.setNotHolding(Way::Session, Why::NoSessionBus);
         },
         "Screen kept on by: X screen saver off"},
        {"a wlroots compositor", true,
         [](KeepAwakeReport& r) {
             r.setNotHolding(Way::XScreenSaver, Why::NoXServer);
             r.setNotHolding(Way::Session, Why::NoSessionService);
             r.setHolding(Way::IdleInhibitor);
         },
         "Screen kept on by: the compositor (idle inhibitor)"},
        {"nothing at all", true,
         [](KeepAwakeReport& r) {
             r.setNotHolding(Way::XScreenSaver, Why::NoXServer);
             r.setNotHolding(Way::Session, Why::SessionDidNotAnswer);
             r.setNotHolding(Way::IdleInhibitor, Why::NoIdleInhibition);
         },
         "Nothing keeps the screen on: no X server, the session's screen-saver service did not "
         "answer, the compositor offers no idle inhibition"},
        {"Windows", true,
         [](KeepAwakeReport& r) {
             r.setHolding(Way::DisplayRequest);
             r.setHolding(Way::ScreenSaver);
         },
         "Screen kept on by: screen saver off, a display power request"},
        {"Windows refusing both", true,
         [](KeepAwakeReport& r) {
             r.setNotHolding(Way::ScreenSaver, Why::ScreenSaverRefused);
             r.setNotHolding(Way::DisplayRequest, Why::DisplayRequestRefused);
         },
         "Nothing keeps the screen on: the system kept its screen saver, the system took no "
         "display request"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        KeepAwakeReport report;
        report.setWanted(c.wanted);
        c.reports(report);
        EXPECT_EQ(narrow(report.text()), c.text);
    }
}

TEST(KeepAwakeText, IsHandedOnOnlyWhenItChanges) {
    KeepAwakeReport report;
    std::vector<std::string> shown;
    report.onChange = [&shown](const std::u16string& text) { shown.push_back(narrow(text)); };
    report.setNotHolding(Way::Session, Why::NotAsked); // unchecked: the same text
    report.setWanted(true);
    {
        const KeepAwakeReport::Batch oneSwitch(report); // only its outcome is shown
        report.setNotHolding(Way::XScreenSaver, Why::NoXServer);
        report.setNotHolding(Way::Session, Why::NoSessionService);
    }
    report.setHolding(Way::Session, "org.mate.ScreenSaver"); // a service came up
    report.setHolding(Way::Session, "org.mate.ScreenSaver");
    report.setNotHolding(Way::Session, Why::NoSessionService); // and went
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Nothing keeps the screen on",
                         "Nothing keeps the screen on: no X server, no screen-saver service in "
                         "the session",
                         "Screen kept on by: the session (org.mate.ScreenSaver)",
                         "Nothing keeps the screen on: no X server, no screen-saver service in "
                         "the session",
                     }));
}

} // namespace
