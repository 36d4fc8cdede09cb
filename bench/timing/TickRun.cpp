#include "TickRun.h"

bool TickRun::add(const Tick& tick) {
    if (complete_) return true;
    if (!seenAny_) {
        seenAny_ = true;
        firstAt_ = tick.at;
    }
    const double sinceFirst = tick.at - firstAt_;
    if (wholeCycle_) {
        ticks_.push_back(tick);
        complete_ = returned_ || sinceFirst > cycle_.giveUpMs;
        returned_ =
            ticks_.size() >= 2 && tick.msgIndex == 0 && ticks_[ticks_.size() - 2].msgIndex != 0;
        return complete_;
    }
    if (sinceFirst < period_.warmUpMs) return false;
    ticks_.push_back(tick);
    complete_ = tick.at - ticks_.front().at >= period_.lengthMs;
    return complete_;
}
