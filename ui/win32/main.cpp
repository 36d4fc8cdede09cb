// tarrowin.exe: the behaviour of Form1 and Form2 on native Win32 windows.
#include "Com.h"
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
#include "TextConversion.h"
#include "WideText.h"

#include <exception>
#include <string>

namespace {
constexpr int kCouldNotRun = 1;

int run() {
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
    // The session is ending: the settings are stored at once, whether or
    // not the program is then stopped.
    forms.form1.onEndSession = [&form1] { form1.SetReg(); };

    form1.Form_Load();
    if (form1.hasEnded()) return 0;
    forms.form1.show();
    return runMessageLoop(forms.timer1.precise(), forms.frames);
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
    return kCouldNotRun;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    installNativeDiagnostics();
    const OleScope ole; // started when first needed (Com.h)
    try {
        return run();
    } catch (...) {
        return failedStart(std::current_exception());
    }
}
