#pragma once
// The progress window's behaviour: the program's startup, its animation, its
// two commands and the program's shutdown. It owns the options dialog, whose
// controls hold the settings it shows. Plain C++: a front end hands it the
// controls it works on and runs the events that call its handlers.

#include "Form1Controls.h"
#include "ProgressWindow.h"
#include "RunSettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class Form2;
class OneRunSettings;
struct Form2Controls;
struct PlatformServices;
struct ProgramState;

class Form1 : public Form1Controls, public ProgressWindow {
public:
    // Hooks the handlers to the controls' events; Form_Load does the rest. The
    // dialog's controls are kept for Form2, which Form_Load creates.
    Form1(const Form1Controls& controls, const Form2Controls& dialog, ProgramState& program,
          PlatformServices& services);
    ~Form1();

    // The bar positions run from 0 to kBarSteps - 1: a bar shows full for one
    // tick, empty on the next.
    static constexpr std::int32_t kBarSteps = 41;

    std::int32_t Bar1Pos = 0;
    std::int32_t Bar2Pos = 0;

    // The options dialog; Form_Load creates it before it reads the settings.
    Form2& dialog() { return *form2_; }

    // Handlers, named after the control and event that run them.
    void Form_Load();
    void Timer1_Timer();
    void Picture1_Click();
    void Command1_Click();
    void Form_Unload(int& Cancel);

    bool InitCommonControlsVB();
    // Loads the settings into the dialog's controls. A failure half way is
    // written to the diagnostics and the startup goes on with what the
    // controls hold; that run then stores nothing, so that what it never
    // loaded stays stored.
    void GetReg();
    // Stores the settings from the dialog's controls: at the end, and when
    // the desktop session ends.
    void SetReg();

    // What the startup and the dialog's Apply push into the window.
    void showStatus(std::u16string_view message) override;
    void setTimerInterval(std::u16string_view speed) override;
    void setTitle(std::u16string_view title) override;
    void setButtonText(std::u16string_view text) override;
    void showSecondBar(bool shown) override;
    void showBuiltinIcon(int index) override;
    bool showCustomIcon(std::u16string_view path) override;

    // True once the shutdown has run: nothing of the program runs after it.
    bool hasEnded() const { return ended_; }

    // A run started with options of its own, before Form_Load: the run's
    // settings take the place of the stored ones for this run only
    // (OneRunSettings.h), and a first start shows neither welcome nor dialog.
    void runWith(const RunSettings& settings);
    // The run waits for a command: a request to close (the button, the close
    // box, a signal, the end of the time) asks the command to stop instead, and
    // the window closes, storing the settings, once commandEnded reports its end.
    void waitForCommand(std::function<void()> stopCommand);
    void commandEnded(int status);
    // What the program ends with: 0, or the status of the command it waited for.
    int exitStatus() const { return exitStatus_; }

private:
    std::unique_ptr<Form2Controls> dialog_;
    ProgramState& program_;
    PlatformServices& services_;
    std::unique_ptr<Form2> form2_;
    bool settingsLoaded_ = true; // false when a failure stopped GetReg half way
    bool ended_ = false;
    std::unique_ptr<OneRunSettings> oneRun_;
    std::function<void()> stopCommand_;
    bool commandRunning_ = false;
    int exitStatus_ = 0;
};
