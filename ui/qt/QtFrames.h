#pragma once
// The frames at which the progress window shows its bars' changes on Qt: the
// shared pace (FramePace.h), and a single-shot timer that runs the next frame
// when it is due while a change waits for it.

#include "FramePace.h"

#include <QTimer>

#include <functional>

class QtFrames {
public:
    QtFrames();

    void handOn(const void* owner, std::function<void()> change);
    void forget(const void* owner) { pace_.forget(owner); }

    // For tests, which step the frames' clock by hand.
    FramePace& pace() { return pace_; }

private:
    void wakeForNextFrame();

    FramePace pace_;
    QTimer wake_;
};
