#include "RunEnds.h"

#include "QtCommandLine.h"

#include <QSocketNotifier>

#include <algorithm>
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The timer is looked at at least this often, so that the end comes on time
// after the machine has slept, whose sleep Qt's timers do not count.
constexpr auto kLongestWait = 60s;
// How often a process is looked for where the system cannot tell its end.
constexpr auto kProcessPoll = 1s;

std::chrono::nanoseconds sinceBoot() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

RunEnds::RunEnds(std::function<void()> over) : over_(std::move(over)) {
    clock_.setSingleShot(true);
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, &RunEnds::checkTime);
}

RunEnds::~RunEnds() {
    if (processHandle_ >= 0) ::close(processHandle_);
}

void RunEnds::endAfter(std::chrono::seconds time) {
    deadline_ = sinceBoot() + time;
    checkTime();
}

void RunEnds::checkTime() {
    const auto left = deadline_ - sinceBoot();
    if (left <= 0ns) return over_();
    clock_.start(std::chrono::ceil<std::chrono::milliseconds>(
        std::min<std::chrono::nanoseconds>(left, kLongestWait)));
}

// A process file descriptor becomes readable when the process ends, whoever
// its parent; kernels before 5.3 have none, and there the process is looked for.
void RunEnds::endWith(std::uint32_t pid) {
    processHandle_ = int(::syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (processHandle_ >= 0) {
        auto* notifier = new QSocketNotifier(processHandle_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
            notifier->setEnabled(false);
            over_();
        });
        return;
    }
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, pid] {
        if (processExists(pid)) return;
        poll->stop();
        over_();
    });
    poll->start(kProcessPoll);
}
