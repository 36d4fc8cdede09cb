#pragma once
// Which ticks of a timing run count, and when the run is complete: a period
// run leaves out its warm-up and then keeps a fixed stretch of time; a cycle
// run keeps every tick from the first to the first one after message 0 came
// back (or gives up when it does not come back in time).

#include "TickStats.h"

#include <vector>

class TickRun {
public:
    struct Period {
        double warmUpMs;
        double lengthMs;
    };
    struct Cycle {
        double giveUpMs;
    };

    explicit TickRun(Period period) : period_(period) {}
    explicit TickRun(Cycle cycle) : cycle_(cycle), wholeCycle_(true) {}

    // Files one tick; true once the run is complete (the tick that completes it
    // is kept). Ticks after that are not looked at.
    bool add(const Tick& tick);

    bool complete() const { return complete_; }
    const std::vector<Tick>& ticks() const { return ticks_; }
    void reserve(std::size_t ticks) { ticks_.reserve(ticks); }

private:
    Period period_{};
    Cycle cycle_{};
    bool wholeCycle_ = false;
    bool complete_ = false;
    bool returned_ = false; // message 0 has come back: the next tick ends the cycle
    double firstAt_ = 0;
    bool seenAny_ = false;
    std::vector<Tick> ticks_;
};
