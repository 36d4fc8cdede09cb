#include <windows.h>

#include "RunEnds.h"

#include "CommandLine.h"
#include "ConsoleText.h"
#include "WideText.h"

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t kWindowClass[] = L"Tarrowin.RunEnds";
constexpr UINT kProcessEnded = WM_APP + 1;
constexpr UINT kCommandEnded = WM_APP + 2;
constexpr UINT kStopAsked = WM_APP + 3;
constexpr UINT_PTR kClock = 1;
constexpr UINT_PTR kGraceClock = 2;
constexpr UINT_PTR kProcessClock = 3;
// How often a process is looked for where the system lets it be seen, not waited for.
constexpr UINT kProcessPoll = 1'000;
// The clock is looked at at least this often, so that the end comes on time
// after the machine has slept.
constexpr ULONGLONG kLongestWait = 60'000;
// What a console program ended by Ctrl+C or Ctrl+Break exits with.
constexpr DWORD kControlCExit = 0xC000013A;
// How long a console's close may take before Windows ends the program anyway.
constexpr DWORD kConsoleCloseWait = 4'000;

HWND runWindow = nullptr; // for the console's handler, which runs on a thread of its own

// The starter's console: Ctrl+C, Ctrl+Break and closing it ask the window to
// close (the command is then stopped as the button stops it) instead of
// ending the program at once without storing its settings.
BOOL WINAPI onConsoleEvent(DWORD event) {
    if (!runWindow) return FALSE;
    PostMessageW(runWindow, kStopAsked, 0, 0);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(kConsoleCloseWait);
    return TRUE;
}

void CALLBACK onSignalled(void* context, BOOLEAN) {
    const auto* posting = static_cast<const RunEnds::Posting*>(context);
    PostMessageW(posting->window, posting->message, 0, 0);
}

std::u16string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return toU16(message);
}

// The command's name as the line writes it: its first argument.
std::u16string commandName(const std::wstring& commandLine) {
    const auto split = splitWindowsCommandLine(u"x " + toU16(commandLine));
    return split.size() > 1 ? split[1].text : toU16(commandLine);
}

BOOL CALLBACK closeJobWindow(HWND window, LPARAM processes) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const auto& ids = *reinterpret_cast<const std::vector<DWORD>*>(processes);
    if (IsWindowVisible(window) && std::find(ids.begin(), ids.end(), process) != ids.end())
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

RunEnds::RunEnds(std::function<void()> over, std::function<void(int)> commandEnded)
    : over_(std::move(over)), commandEnded_(std::move(commandEnded)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, this);
    runWindow = window_;
    watchedPosting_ = {window_, kProcessEnded};
    commandPosting_ = {window_, kCommandEnded};
}

RunEnds::~RunEnds() {
    runWindow = nullptr;
    for (HANDLE wait : {watchedWait_, commandWait_})
        if (wait) UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); // waits for a running callback
    for (HANDLE handle : {watched_, command_, job_})
        if (handle) CloseHandle(handle);
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK RunEnds::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    if (auto* ends = reinterpret_cast<RunEnds*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        ends && (message == WM_TIMER || (message >= kProcessEnded && message <= kStopAsked))) {
        ends->onMessage(message, wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunEnds::onMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kClock) return checkTime();
        if (wParam == kProcessClock) {
            if (processExists(watchedId_)) return;
            KillTimer(window_, kProcessClock);
            return over_();
        }
        KillTimer(window_, kGraceClock);
        return stopCommand();
    case kProcessEnded:
        return over_();
    case kStopAsked:
        return over_();
    case kCommandEnded: {
        KillTimer(window_, kGraceClock);
        DWORD status = 0;
        GetExitCodeProcess(command_, &status);
        return commandEnded_(int(status));
    }
    }
}

void RunEnds::endAfter(std::chrono::seconds time) {
    deadline_ = GetTickCount64() + ULONGLONG(time.count()) * 1000;
    checkTime();
}

void RunEnds::checkTime() {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline_) {
        KillTimer(window_, kClock);
        return over_();
    }
    SetTimer(window_, kClock, UINT(std::min(deadline_ - now, kLongestWait)), nullptr);
}

bool RunEnds::processExists(DWORD pid) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// A process that may be seen but not waited for (one of the system's own) is
// looked for now and then.
void RunEnds::endWith(DWORD pid) {
    watchedId_ = pid;
    watched_ = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (watched_)
        RegisterWaitForSingleObject(&watchedWait_, watched_, onSignalled, &watchedPosting_,
                                    INFINITE, WT_EXECUTEONLYONCE);
    else
        SetTimer(window_, kProcessClock, kProcessPoll, nullptr);
}

bool RunEnds::startCommand(std::wstring commandLine, Failure& failure) {
    sharedConsole_ = useStarterConsole();
    if (sharedConsole_) SetConsoleCtrlHandler(onConsoleEvent, TRUE);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const HANDLE streams[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                              GetStdHandle(STD_ERROR_HANDLE)};
    const bool anyStream = std::any_of(std::begin(streams), std::end(streams),
                                       [](HANDLE h) { return h && h != INVALID_HANDLE_VALUE; });
    if (anyStream) {
        for (HANDLE stream : streams)
            if (stream && stream != INVALID_HANDLE_VALUE)
                SetHandleInformation(stream, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = streams[0];
        startup.hStdOutput = streams[1];
        startup.hStdError = streams[2];
    }
    const DWORD flags =
        CREATE_NEW_PROCESS_GROUP | CREATE_SUSPENDED | (sharedConsole_ ? 0 : CREATE_NO_WINDOW);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, anyStream, flags, nullptr,
                        nullptr, &startup, &process)) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME;
        failure = {missing ? ExitStatus::kNotFound : ExitStatus::kNotRunnable,
                   u"tarrowin: " + commandName(commandLine) + u": " + systemMessage(error) + u"\n"};
        return false;
    }
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_) AssignProcessToJobObject(job_, process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    command_ = process.hProcess;
    commandId_ = process.dwProcessId;
    RegisterWaitForSingleObject(&commandWait_, command_, onSignalled, &commandPosting_, INFINITE,
                                WT_EXECUTEONLYONCE);
    return true;
}

void RunEnds::stopCommand() {
    if (!command_ || WaitForSingleObject(command_, 0) != WAIT_TIMEOUT) return;
    if (++requests_ == 1) {
        breakCommand();
        SetTimer(window_, kGraceClock, UINT(std::chrono::milliseconds(kGrace).count()), nullptr);
        return;
    }
    KillTimer(window_, kGraceClock);
    if (job_)
        TerminateJobObject(job_, kControlCExit);
    else
        TerminateProcess(command_, kControlCExit);
}

// Ctrl+Break on the command's console, which the program shares or borrows
// for the moment, and a close request to every window of the command's job.
void RunEnds::breakCommand() {
    if (sharedConsole_) {
        GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, commandId_);
    } else if (AttachConsole(commandId_)) {
        SetConsoleCtrlHandler(nullptr, TRUE); // the borrowed console's events are not ours
        GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, commandId_);
        FreeConsole();
        SetConsoleCtrlHandler(nullptr, FALSE);
    }
    std::vector<DWORD> processes{commandId_};
    if (job_) {
        constexpr DWORD kMostProcesses = 256;
        std::vector<BYTE> list(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) +
                               kMostProcesses * sizeof(ULONG_PTR));
        auto* ids = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(list.data());
        if (QueryInformationJobObject(job_, JobObjectBasicProcessIdList, ids, DWORD(list.size()),
                                      nullptr))
            for (DWORD i = 0; i < ids->NumberOfProcessIdsInList; ++i)
                processes.push_back(DWORD(ids->ProcessIdList[i]));
    }
    EnumWindows(closeJobWindow, reinterpret_cast<LPARAM>(&processes));
}
