#pragma once
// What keeps the screen on while "Disable Screen Saver" is checked, as the
// box's tooltip and accessible description tell the user. Each way a front end
// asks the system (a saver switch, a power request, a session service, a
// compositor) reports here whether it holds; the text is made here once, for
// both front ends, and handed on whenever it changes (a service that comes or
// goes while the box is checked).

#include <array>
#include <cstddef>
#include <functional>
#include <string>

class KeepAwakeReport {
public:
    // The ways the program asks, in the order the text names them.
    enum class Way {
        ScreenSaver,        // the system's screen saver switched off (Windows)
        DisplayRequest,     // a display-required power request (Windows)
        XScreenSaver,       // the X server's saver timeout at 0
        DisplayPowerSaving, // the X server's DPMS disabled
        Session,            // a session-bus service took an inhibition
        IdleInhibitor,      // the compositor holds an idle inhibitor on the window
    };
    static constexpr std::size_t kWays = 6;

    // Why a way that was asked holds nothing.
    enum class Why {
        NotAsked, // not tried, or released: says nothing
        NoXServer,
        NoDisplayPowerSaving,
        NoSessionBus,
        NoSessionService,
        SessionDidNotAnswer, // refused, or no answer in time
        NoIdleInhibition,    // a Wayland compositor without the protocol
        WindowNotShown,      // the inhibitor waits for the window's surface
        ScreenSaverRefused,
        DisplayRequestRefused,
    };

    // The user wants the screen kept on (the box is checked) or not.
    void setWanted(bool wanted);
    // The way holds; `by` names who took it (a bus service), or is empty.
    // Bus names and the texts here are ASCII.
    void setHolding(Way way, std::string by = {});
    void setNotHolding(Way way, Why why);

    bool wanted() const { return wanted_; }
    bool holding(Way way) const { return ways_[index(way)].holds; }
    std::u16string text() const;

    // Runs with the new text each time it changes; also writes it as a
    // diagnostics line.
    std::function<void(const std::u16string& text)> onChange;

    // While one lives, reports are gathered and the text is handed on once, at
    // its end: one switch asks several ways, and the user sees only the outcome.
    class Batch {
    public:
        explicit Batch(KeepAwakeReport& report) : report_(report) { ++report_.batches_; }
        ~Batch() {
            if (--report_.batches_ == 0) report_.changed();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        KeepAwakeReport& report_;
    };

private:
    struct State {
        bool holds = false;
        Why why = Why::NotAsked;
        std::string by;
    };
    static std::size_t index(Way way) { return static_cast<std::size_t>(way); }
    std::string compose() const;
    void changed();

    bool wanted_ = false;
    int batches_ = 0;
    std::array<State, kWays> ways_{};
    std::string shown_ = compose();
};
