// tarrowin.exe: the behaviour of Form1 and Form2 on native Win32 windows.
#include "Com.h"
#include "CommandLine.h"
#include "ConsoleText.h"
#include "Diagnostics.h"
#include "DiagnosticsChannel.h"
#include "DisplayRequest.h"
#include "Form1.h"
#include "Form1Controls.h"
#include "Form2Controls.h"
#include "KeepAwake.h"
#include "KeepScreenOn.h"
#include "MessageLoop.h"
#include "NativeForms.h"
#include "NativeServices.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "RunEnds.h"
#include "SettingsFileAction.h"
#include "SettingsStore.h"
#include "TextConversion.h"
#include "WideText.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

// The full path of a file or folder that is there.
std::optional<std::u16string> fullPathOfFile(const std::u16string& path) {
    const std::wstring wide = toWide(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(wide.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length);
    }
    if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return toU16(full);
}

// The run's window, with the command line's settings and ends. written is the
// whole command line and split its parts, from which a command is handed on
// as written.
int run(const CommandLine& line, const std::wstring& written,
        const std::vector<SplitArgument>& split) {
    NativeForms forms;

    ProgramState program;
    PlatformServices services = nativeServices(forms.timer1.precise());
    // "Disable Screen Saver" also holds the display on while the program
    // runs, and its box tells what keeps the screen on.
    KeepAwakeReport keepAwake;
    keepAwake.onChange = [&forms](const std::u16string& note) {
        forms.screenSaverNote.setText(toWide(note));
    };
    forms.screenSaverNote.setText(toWide(keepAwake.text()));
    DisplayRequest display;
    KeepScreenOn keepScreenOn(keepAwake, display);
    services.setScreenSaverActive = [&keepScreenOn](bool active) {
        return keepScreenOn.setScreenSaverActive(active);
    };
    forms.form1.onSessionEnded = [&keepScreenOn] { keepScreenOn.sessionEnds(); };
    const Form1Controls controls = forms.form1Controls();
    const Form2Controls dialog = forms.form2Controls();
    Form1 form1(controls, dialog, program, services);
    if (line.ownOptions) form1.runWith(line.settings);
    // The session is ending: the settings are stored at once, whether or
    // not the program is then stopped.
    forms.form1.onEndSession = [&form1] { form1.SetReg(); };

    // A run that ends by itself ends as the button ends it.
    RunEnds runEnds([&form1] { form1.Me.close(); },
                    [&form1](int ended) { form1.commandEnded(ended); });
    if (line.runFor) runEnds.endAfter(*line.runFor);
    if (line.runWhile) runEnds.endWith(*line.runWhile);
    if (line.command) {
        RunEnds::Failure failure{};
        if (!runEnds.startCommand(written.substr(split[*line.command + 1].offset), failure)) {
            printError(failure.message);
            return failure.status;
        }
        form1.waitForCommand([&runEnds] { runEnds.stopCommand(); });
    }

    form1.Form_Load();
    if (!form1.hasEnded()) {
        forms.form1.show();
        runMessageLoop(forms.timer1.precise(), forms.frames);
    }
    // 0, or the status of the command the run waited for.
    return form1.exitStatus();
}

// A start that failed (a window the system would not make) says so, to the
// user and to the diagnostics, and ends with the status of a program that
// could not run.
int failedStart(const std::exception_ptr& error) {
    Diagnostics::noteEscapedException("the start", error);
    std::string why = "Tarrowin could not start.";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        why += std::string("\n\n") + e.what();
    } catch (...) {
    }
    MessageBoxW(nullptr, toWide(TextConversion::widen(why)).c_str(), kMessageCaption,
                MB_OK | MB_ICONERROR);
    return ExitStatus::kCouldNotRun;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    installNativeDiagnostics();
    // The command line is split here, not by the C runtime, so that the
    // command after "--" goes on exactly as it was written.
    const std::wstring written = GetCommandLineW();
    const auto split = splitWindowsCommandLine(toU16(written));
    std::vector<std::u16string> arguments;
    for (std::size_t i = 1; i < split.size(); ++i)
        arguments.push_back(split[i].text);
    CommandLine line = parseCommandLine(arguments, Conventions::Windows);
    checkWithSystem(line, {fullPathOfFile, RunEnds::processExists,
                           [] { return std::uint32_t(GetCurrentProcessId()); }});
    if (const auto status = answerWithoutWindow(line, Conventions::Windows, SettingsStore::kKeyPath,
                                                printOut, printError))
        return *status;
    if (const auto status = doSettingsFileAction(line, printError)) return *status;

    const OleScope ole; // started when first needed (Com.h)
    try {
        return run(line, written, split);
    } catch (...) {
        return failedStart(std::current_exception());
    }
}
