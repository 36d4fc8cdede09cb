#pragma once
// What ends a run by itself besides its command: a time (--for) and another
// process's end (--while). Each calls over(), which closes the window as its
// button does. The time runs by the clock that counts a suspended machine's
// sleep too: a run of an hour ends an hour later by the clock on the wall.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>

class RunEnds : public QObject {
    Q_OBJECT
public:
    explicit RunEnds(std::function<void()> over);
    ~RunEnds() override;

    void endAfter(std::chrono::seconds time);
    // The process must be there (checked with the command line).
    void endWith(std::uint32_t pid);

private:
    void checkTime();

    std::function<void()> over_;
    QTimer clock_;
    std::chrono::nanoseconds deadline_{};
    int processHandle_ = -1;
};
