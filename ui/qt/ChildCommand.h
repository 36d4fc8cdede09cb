#pragma once
// The command a run waits for (tarrowin -- COMMAND ARGS): started with the
// program's own standard streams and environment, in a process group of its
// own. When Tarrowin runs in the foreground of a terminal, the command gets
// the terminal while it runs, as a shell gives it to a job: it reads there,
// Ctrl+C and Ctrl+Z reach it, and a stopped command stops Tarrowin too, so
// that the shell's prompt comes back; fg continues both.
//
// stop() is the terminal's Ctrl+C: SIGINT to the command's process group;
// SIGTERM when the group is still there kGrace later, or at the next request;
// SIGKILL at a request after that. A stopped command is continued with each,
// so that it can end.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildCommand : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds kGrace{5};

    // A command that cannot be started: the status a shell gives (127 not
    // found, 126 not runnable) and the line that says why.
    struct Failure {
        int status;
        std::string message;
    };

    // Notes the environment and the signals ignored as the program was started,
    // before anything changes them (the bus library ignores SIGPIPE, the
    // program sets DBUS_SESSION_BUS_ADDRESS when there is no bus): the command
    // gets them as they were. main calls it first.
    static void noteStartingState();

    // Starts argv (null-ended; argv[0] looked up in PATH). Nothing, and the
    // failure filled, when it cannot start.
    static std::unique_ptr<ChildCommand> start(char* const argv[], Failure& failure);
    ~ChildCommand() override;

    void stop();

signals:
    // The command has ended: its exit status, 128+N when signal N ended it.
    void ended(int status);

private:
    ChildCommand(pid_t pid, bool terminal);
    void collect();
    void signalGroup(int number);
    void takeTerminalBack();
    void stopAlong();

    pid_t pid_;
    bool terminal_; // the command has the terminal while it runs
    bool running_ = true;
    int requests_ = 0;
    bool terminated_ = false;
    QTimer escalation_;
};
