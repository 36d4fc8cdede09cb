#include "FramePace.h"

#include <algorithm>
#include <utility>

void FramePace::handOn(const void* owner, std::function<void()> change) {
    forget(owner);
    waiting_.push_back({owner, std::move(change)});
    if (isFrameDue()) runFrame();
}

void FramePace::forget(const void* owner) {
    std::erase_if(waiting_, [owner](const Waiting& w) { return w.owner == owner; });
}

bool FramePace::isFrameDue() const {
    return !lastFrame_ || now_() - *lastFrame_ >= kFrame;
}

FramePace::Clock::duration FramePace::untilNextFrame() const {
    if (!lastFrame_) return Clock::duration::zero();
    return std::max(Clock::duration::zero(), *lastFrame_ + kFrame - now_());
}

void FramePace::runFrame() {
    lastFrame_ = now_();
    // A change may hand on another (for the next frame): what runs now is
    // taken first.
    std::vector<Waiting> due;
    due.swap(waiting_);
    for (Waiting& w : due)
        w.change();
}
