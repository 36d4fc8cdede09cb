#include "QtFrames.h"

#include <chrono>

QtFrames::QtFrames() {
    wake_.setSingleShot(true);
    // A coarse timer may come a little early, and then only waits again.
    wake_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_, &QTimer::timeout, &wake_, [this] {
        if (pace_.isFrameDue()) pace_.runFrame();
        wakeForNextFrame();
    });
}

void QtFrames::handOn(const void* owner, std::function<void()> change) {
    pace_.handOn(owner, std::move(change));
    wakeForNextFrame();
}

void QtFrames::wakeForNextFrame() {
    if (!pace_.isWaiting() || wake_.isActive()) return;
    wake_.start(std::chrono::ceil<std::chrono::milliseconds>(pace_.untilNextFrame()));
}
