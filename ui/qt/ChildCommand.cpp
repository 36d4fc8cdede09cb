#include "ChildCommand.h"

#include "CommandLine.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// SIGCHLD turns into a byte read on the event loop, as the stop signals do
// (ExitSignals.cpp). A handler installed before (Qt's, for its own processes)
// still runs.
std::array<int, 2> childWakeup{-1, -1};
struct sigaction before {};

void onChild(int number, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(childWakeup[0], &byte, 1);
    errno = savedErrno;
    if (before.sa_flags & SA_SIGINFO) {
        if (before.sa_sigaction) before.sa_sigaction(number, info, context);
    } else if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
        before.sa_handler(number);
    }
}

bool watchChildren() {
    if (childWakeup[0] >= 0) return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, childWakeup.data()) !=
        0)
        return false;
    struct sigaction action {};
    action.sa_sigaction = onChild;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_SIGINFO; // stops and continues too: no SA_NOCLDSTOP
    return ::sigaction(SIGCHLD, &action, &before) == 0;
}

std::vector<std::string> startingEnvironment;
sigset_t startingDefaults; // every signal not ignored at the start

// Whether this process is in the foreground of the terminal on standard input.
bool inForeground() {
    return ::isatty(STDIN_FILENO) && ::tcgetpgrp(STDIN_FILENO) == ::getpgrp();
}

// Hands the terminal to a process group from the background, where asking for
// it would stop this process (SIGTTOU) unless that is held back meanwhile.
void giveTerminal(pid_t group) {
    sigset_t ttou, old;
    sigemptyset(&ttou);
    sigaddset(&ttou, SIGTTOU);
    ::sigprocmask(SIG_BLOCK, &ttou, &old);
    ::tcsetpgrp(STDIN_FILENO, group);
    ::sigprocmask(SIG_SETMASK, &old, nullptr);
}

ChildCommand::Failure failureOf(const char* command, int error) {
    std::string reason = std::strerror(error);
    if (error == ENOENT && !std::strchr(command, '/')) reason = "command not found";
    return {error == ENOENT ? ExitStatus::kNotFound : ExitStatus::kNotRunnable,
            "tarrowin: " + std::string(command) + ": " + reason + "\n"};
}

} // namespace

void ChildCommand::noteStartingState() {
    for (char** entry = environ; *entry; ++entry)
        startingEnvironment.emplace_back(*entry);
    sigemptyset(&startingDefaults);
    for (int number = 1; number < SIGRTMIN; ++number) {
        if (number == SIGKILL || number == SIGSTOP) continue;
        struct sigaction action {};
        if (::sigaction(number, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
            sigaddset(&startingDefaults, number);
    }
}

std::unique_ptr<ChildCommand> ChildCommand::start(char* const argv[], Failure& failure) {
    if (!watchChildren()) {
        failure = failureOf(argv[0], errno);
        return nullptr;
    }
    std::vector<char*> envp;
    for (const std::string& entry : startingEnvironment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &startingDefaults);
    posix_spawnattr_setpgroup(&attributes, 0); // a group of its own, led by the command
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Only the three standard streams go to the command, whatever else is open.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const bool terminal = inForeground();
    if (terminal) posix_spawn_file_actions_addtcsetpgrp_np(&actions, STDIN_FILENO);

    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        failure = failureOf(argv[0], error);
        return nullptr;
    }
    return std::unique_ptr<ChildCommand>(new ChildCommand(pid, terminal));
}

ChildCommand::ChildCommand(pid_t pid, bool terminal) : pid_(pid), terminal_(terminal) {
    auto* notifier = new QSocketNotifier(childWakeup[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(childWakeup[1], bytes, sizeof bytes) > 0) {
        }
        collect();
    });
    escalation_.setSingleShot(true);
    escalation_.setInterval(kGrace);
    connect(&escalation_, &QTimer::timeout, this, [this] {
        if (!terminated_) stop();
    });
    // An end that came before the notifier was listening.
    QTimer::singleShot(0, this, &ChildCommand::collect);
}

ChildCommand::~ChildCommand() = default;

void ChildCommand::collect() {
    if (!running_) return;
    int status = 0;
    for (;;) {
        const pid_t got = ::waitpid(pid_, &status, WNOHANG | WUNTRACED | WCONTINUED);
        if (got < 0 && errno == EINTR) continue;
        if (got == 0) return;
        if (got > 0 && WIFSTOPPED(status)) {
            stopAlong();
        } else if (got < 0 || WIFEXITED(status) || WIFSIGNALED(status)) {
            // Gone without a status only if something else collected it: the
            // run still ends, as a failed one, rather than never.
            running_ = false;
            escalation_.stop();
            takeTerminalBack();
            emit ended(got < 0             ? ExitStatus::kCouldNotRun
                       : WIFEXITED(status) ? WEXITSTATUS(status)
                                           : ExitStatus::kSignalBase + WTERMSIG(status));
            return;
        }
    }
}

void ChildCommand::stop() {
    if (!running_) return;
    ++requests_;
    if (requests_ == 1) {
        signalGroup(SIGINT);
        escalation_.start();
    } else if (!terminated_) {
        terminated_ = true;
        escalation_.stop();
        signalGroup(SIGTERM);
    } else {
        signalGroup(SIGKILL);
    }
}

void ChildCommand::signalGroup(int number) {
    ::kill(-pid_, number);
    if (number != SIGKILL) ::kill(-pid_, SIGCONT); // a stopped command could not act on it
}

void ChildCommand::takeTerminalBack() {
    if (terminal_ && ::tcgetpgrp(STDIN_FILENO) == pid_) giveTerminal(::getpgrp());
}

// The command stopped in a terminal (Ctrl+Z, or reading from the background):
// Tarrowin stops with it, in the way a terminal stops a job, so that the shell
// takes over; once continued, it hands the terminal back when it has it again,
// and continues the command.
void ChildCommand::stopAlong() {
    if (!::isatty(STDIN_FILENO)) return;
    takeTerminalBack();
    ::kill(0, SIGTSTP); // this process's group; the shell that started it sees a stopped job
    if (inForeground()) {
        giveTerminal(pid_);
        terminal_ = true;
    }
    ::kill(-pid_, SIGCONT);
}
