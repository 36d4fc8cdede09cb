#include "ExitSignals.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Written by the signal handler, read on the event loop: the only safe way out of
// a handler is a write() of a byte.
std::array<int, 2> wakeup{-1, -1};

void onSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(wakeup[0], &byte, 1);
    errno = savedErrno;
}

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeup.data()) != 0)
        return;
    notifier_ = new QSocketNotifier(wakeup[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(wakeup[1], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) {
        // A stop that whoever started the program chose to ignore (nohup, a
        // shell's background job) stays ignored; SIGTERM is always honoured.
        struct sigaction inherited {};
        sigaction(number, nullptr, &inherited);
        if (number != SIGTERM && inherited.sa_handler == SIG_IGN) continue;
        sigaction(number, &action, nullptr);
        installed_.push_back(number);
    }
}

ExitSignals::~ExitSignals() {
    for (int number : installed_)
        std::signal(number, SIG_DFL);
    ::close(wakeup[0]);
    ::close(wakeup[1]);
    wakeup = {-1, -1};
}
#else
ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {}
ExitSignals::~ExitSignals() = default;
#endif
