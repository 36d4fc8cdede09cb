#pragma once
// What ends a run of tarrowin.exe by itself: a time (--for), another
// process's end (--while) and the end of the command it runs (-- COMMAND).
// The waits are the system's; their ends come as messages to a window of
// this object's own, so that they arrive on the user-interface thread, also
// while a message box waits. The time runs by the tick count, which counts a
// machine's sleep too.
//
// The command: started with the program's standard handles (when it has
// any) on the console of the program that started tarrowin.exe (when there is
// one, else on a console of its own without a window), in a process group and
// a job of its own. stopCommand() is the nearest Windows has to a terminal's
// Ctrl+C: Ctrl+Break to the command's process group on its console (console
// programs end as on Ctrl+C, unless they handle it) and a close request to
// each window of the job's processes; kGrace later, or at the next request,
// the job is ended (TerminateJobObject, with the status a Ctrl+C leaves,
// STATUS_CONTROL_C_EXIT).

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

class RunEnds {
public:
    static constexpr std::chrono::seconds kGrace{5};

    RunEnds(std::function<void()> over, std::function<void(int status)> commandEnded);
    ~RunEnds();
    RunEnds(const RunEnds&) = delete;
    RunEnds& operator=(const RunEnds&) = delete;

    void endAfter(std::chrono::seconds time);
    // The process must be there (checked with the command line).
    void endWith(DWORD pid);
    static bool processExists(DWORD pid);

    struct Failure {
        int status; // 127 not found, 126 cannot be run
        std::u16string message;
    };
    // Starts the command line as written after "--"; false and the failure
    // filled when it cannot start.
    bool startCommand(std::wstring commandLine, Failure& failure);
    void stopCommand();

    // What a system wait posts when its handle is signalled.
    struct Posting {
        HWND window;
        UINT message;
    };

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM, LPARAM);
    void onMessage(UINT message, WPARAM wParam);
    void checkTime();
    void breakCommand();

    std::function<void()> over_;
    std::function<void(int)> commandEnded_;
    HWND window_ = nullptr;
    ULONGLONG deadline_ = 0;
    HANDLE watched_ = nullptr, watchedWait_ = nullptr;
    DWORD watchedId_ = 0;
    Posting watchedPosting_{}, commandPosting_{};
    HANDLE command_ = nullptr, commandWait_ = nullptr, job_ = nullptr;
    DWORD commandId_ = 0;
    bool sharedConsole_ = false;
    int requests_ = 0;
};
