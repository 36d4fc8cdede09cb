#include "QtPreciseTimer.h"

#include <algorithm>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>
#else
#include <QTimer>
#endif

// Wakes the event loop at an absolute time on the steady clock.
#ifdef Q_OS_LINUX
// A one-shot timerfd armed with an absolute CLOCK_MONOTONIC deadline (the clock
// behind std::chrono::steady_clock): nanosecond resolution, no rounding to whole
// milliseconds, and no drift between re-arms.
class QtPreciseTimer::Waker {
public:
    explicit Waker(QtPreciseTimer* owner)
        : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)),
          notifier_(fd_, QSocketNotifier::Read) {
        notifier_.setEnabled(false);
        QObject::connect(&notifier_, &QSocketNotifier::activated, owner, [this, owner] {
            // A wake-up seen before the timer was re-armed finds nothing to read:
            // that deadline is gone, and the re-armed one has not come yet.
            std::uint64_t expirations = 0;
            ssize_t got;
            while ((got = ::read(fd_, &expirations, sizeof expirations)) < 0 && errno == EINTR) {
            }
            if (got == static_cast<ssize_t>(sizeof expirations)) owner->fire();
        });
    }
    ~Waker() { ::close(fd_); }

    void wakeAt(Clock::time_point when) {
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch());
        itimerspec arming{};
        arming.it_value.tv_sec = static_cast<time_t>(ns.count() / 1'000'000'000);
        arming.it_value.tv_nsec = static_cast<long>(ns.count() % 1'000'000'000);
        if (arming.it_value.tv_sec == 0 && arming.it_value.tv_nsec == 0)
            arming.it_value.tv_nsec = 1;
        timerfd_settime(fd_, TFD_TIMER_ABSTIME, &arming, nullptr);
        notifier_.setEnabled(true);
    }
    void stop() {
        const itimerspec disarm{};
        timerfd_settime(fd_, 0, &disarm, nullptr);
        notifier_.setEnabled(false);
    }

private:
    int fd_;
    QSocketNotifier notifier_;
};
#else
// Elsewhere a precise single-shot QTimer re-armed for what is left until the
// deadline, rounded up so that it never wakes early and spins.
class QtPreciseTimer::Waker {
public:
    explicit Waker(QtPreciseTimer* owner) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, owner, [this, owner] {
            if (Clock::now() < when_)
                arm();
            else
                owner->fire();
        });
    }
    void wakeAt(Clock::time_point when) {
        when_ = when;
        arm();
    }
    void stop() { timer_.stop(); }

private:
    void arm() {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(when_ - Clock::now());
        timer_.start(std::max<int>(0, static_cast<int>(left.count())));
    }
    QTimer timer_;
    Clock::time_point when_{};
};
#endif

QtPreciseTimer::QtPreciseTimer(QObject* parent)
    : QObject(parent), waker_(std::make_unique<Waker>(this)) {}

QtPreciseTimer::~QtPreciseTimer() = default;

void QtPreciseTimer::setEnabled(bool enabled) {
    schedule_.setEnabled(enabled, Clock::now());
    arm();
}

void QtPreciseTimer::setInterval(int milliseconds) {
    schedule_.setInterval(milliseconds, Clock::now());
    arm();
}

// Inside a tick the waker waits: fire() arms it once the handler has returned.
void QtPreciseTimer::arm() {
    if (!schedule_.isRunning())
        waker_->stop();
    else if (!schedule_.isInTick())
        waker_->wakeAt(schedule_.deadline());
}

void QtPreciseTimer::fire() {
    if (!schedule_.beginTick()) return;
    emit timeout();
    raiseGuardedEvent(Timer);
    schedule_.endTick(Clock::now());
    arm();
}
