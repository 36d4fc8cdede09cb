#pragma once
// How often the windows show a bar's changes: about once a frame of a 60 Hz
// screen. At a 1 ms interval a bar moves a thousand times a second; handing
// every move to the toolkit would spend the ticks' time on frames no screen
// shows, so both programs hand on a bar's latest value once a frame.
//
// A change handed on when the last frame began a frame's time ago or more
// begins a new frame: it goes at once, with whatever waited for the frame. A
// change handed on sooner waits for the next frame, in place of what its owner
// left to wait before: only the latest value of each bar is shown. The front
// end runs the next frame when it is due (its message loop, a timer), so that
// a change that waits is not left behind when no other follows it.
//
// The clock is the caller's, so that tests step it by hand.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class FramePace {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    static constexpr std::chrono::milliseconds kFrame{16};

    explicit FramePace(Now now = Clock::now) : now_(std::move(now)) {}
    FramePace(const FramePace&) = delete;
    FramePace& operator=(const FramePace&) = delete;

    void setClock(Now now) { now_ = std::move(now); }

    // Hands on the owner's change: at once when a frame is due, else kept for
    // the next frame.
    void handOn(const void* owner, std::function<void()> change);
    // Drops what the owner left waiting (it is going away).
    void forget(const void* owner);

    bool isWaiting() const { return !waiting_.empty(); }
    bool isFrameDue() const;
    // How long until the next frame is due; zero when it is.
    Clock::duration untilNextFrame() const;

    // Begins a frame now: runs what waited for it.
    void runFrame();

private:
    struct Waiting {
        const void* owner;
        std::function<void()> change;
    };

    Now now_;
    std::optional<Clock::time_point> lastFrame_; // none before the first frame
    std::vector<Waiting> waiting_;
};
