#pragma once
// What the timing benchmark derives from a recorded run of ticks. Times are
// milliseconds on the steady clock, counted from any fixed origin.

#include <optional>
#include <vector>

struct Tick {
    double at = 0;       // when the handling of the tick began
    double deadline = 0; // when the timer had it due
    int msgIndex = 0;    // the message on show after the tick
    double done = 0;     // when the handling ended
    double lateness() const { return at - deadline; }
    double handling() const { return done - at; }
};

// Average time between consecutive ticks; needs at least two ticks.
std::optional<double> meanPeriod(const std::vector<Tick>& ticks);

// Ticks per second over the run; needs at least two ticks.
std::optional<double> ticksPerSecond(const std::vector<Tick>& ticks);

// The nearest-rank percentile (0 < p <= 100) of the values; none for no values.
std::optional<double> percentile(std::vector<double> values, double p);

std::vector<double> latenesses(const std::vector<Tick>& ticks);
std::vector<double> handlingTimes(const std::vector<Tick>& ticks);

// How often the schedule started afresh instead of keeping its rhythm: the
// deadline of a tick is not the previous deadline plus the interval.
int scheduleRestarts(const std::vector<Tick>& ticks, double intervalMs);

// One whole message cycle: from the first tick of the run (message 0 on show) to
// the first tick after the one that brought message 0 back. None when the run
// does not reach that far.
std::optional<double> firstCycleSpan(const std::vector<Tick>& ticks);
