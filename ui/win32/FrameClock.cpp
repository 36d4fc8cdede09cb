#include "FrameClock.h"

#include <utility>
#include <vector>

namespace {
using FrameClock::Clock;

struct Pending {
    const void* owner;
    std::function<void()> work;
};

Clock::time_point lastFrame{};
std::vector<Pending>& pending() {
    static std::vector<Pending> work;
    return work;
}
} // namespace

bool FrameClock::frameDue(Clock::time_point now) {
    return now - lastFrame >= kFrame;
}

void FrameClock::update(const void* owner, std::function<void()> work) {
    forget(owner);
    pending().push_back({owner, std::move(work)});
    if (frameDue()) runFrame();
}

void FrameClock::forget(const void* owner) {
    std::erase_if(pending(), [owner](const Pending& p) { return p.owner == owner; });
}

void FrameClock::runFrame(Clock::time_point now) {
    lastFrame = now;
    std::vector<Pending> work;
    work.swap(pending());
    for (Pending& item : work)
        item.work();
}

bool FrameClock::hasWork() {
    return !pending().empty();
}
Clock::time_point FrameClock::nextFrame() {
    return lastFrame + kFrame;
}
