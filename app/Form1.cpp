#include "Form1.h"

#include "Diagnostics.h"
#include "DialogControls.h"
#include "Form2.h"
#include "Module1.h"
#include "NumberText.h"
#include "OneRunSettings.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "SettingsStore.h"

#include <utility>

namespace {
// The speed of the first message when nothing is set: what the timer takes at
// startup when the first speed has no whole-number value and there is no earlier
// interval to keep.
constexpr int kFirstSpeed = 50; // as the first speed box holds before anything is stored
constexpr std::u16string_view kMissingIconFile = u"Custom icon file does not exist.";
} // namespace

Form1::Form1(const Form1Controls& controls, const Form2Controls& dialog, ProgramState& program,
             PlatformServices& services)
    : Form1Controls(controls), dialog_(std::make_unique<Form2Controls>(dialog)), program_(program),
      services_(services) {
    Timer1.Timer = [this] { Timer1_Timer(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    // After the end a close request only lets the window go. While a command
    // runs, the end waits for the command's own.
    Me.Unload = [this](int& Cancel) {
        if (ended_) return;
        if (commandRunning_) {
            Cancel = 1;
            stopCommand_();
            return;
        }
        Form_Unload(Cancel);
    };
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    InitCommonControlsVB();
    form2_ = std::make_unique<Form2>(*this, *dialog_, program_, services_);
    program_.FirstRun = false;
    GetReg();
    // A message box of the settings store, and the one of a missing icon file
    // below, wait in an event loop of their own: a request to stop that comes
    // meanwhile ends the program there, and the startup must not go on after it.
    if (ended_) return;
    Timer1.setEnabled(true);
    setTitle(dialog().Pmess.text());
    setButtonText(dialog().ButText.text());
    Bar1Pos = 0;
    Bar2Pos = 0;
    program_.MsgIndex = 0;
    setTimerInterval(dialog().Speedbox[0]->text());
    showStatus(dialog().Status[0]->text());
    if (dialog().IconList.currentIndex() < Form2::kCustomIcon)
        showBuiltinIcon(dialog().IconList.currentIndex());
    if (dialog().IconList.currentIndex() == Form2::kCustomIcon &&
        !showCustomIcon(dialog().CustIconFileTxt.text())) {
        if (ended_) return;
        dialog().showModeless();
    }
    if (dialog().DualChk.value() == CheckBox::Unchecked) PB[1]->setVisible(false);
    if (dialog().Ssav.value() == CheckBox::Checked) dialog().ToggleScreenSaverActive(false);
    if (program_.FirstRun) dialog().showModeless();
}

bool Form1::InitCommonControlsVB() {
    return services_.prepareControls();
}

void Form1::Timer1_Timer() {
    Bar1Pos += 1;
    if (Bar1Pos == kBarSteps) {
        Bar1Pos = 0;
        Bar2Pos += 1;
        std::int32_t& MsgIndex = program_.MsgIndex;
        MsgIndex += 1;
        if (MsgIndex == Form2::kMessages) MsgIndex = 0;
        // Only the slot just reached is tested: an empty message 0 is shown as it is.
        if (dialog().Status[MsgIndex]->text().empty()) MsgIndex = 0;
        ProcessName.setCaption(dialog().Status[MsgIndex]->text());
        setTimerInterval(dialog().Speedbox[MsgIndex]->text());
    }
    if (Bar2Pos == kBarSteps) Bar2Pos = 0;
    PB[0]->setValue(Bar1Pos);
    PB[1]->setValue(Bar2Pos); // also while hidden, so that it is current when shown again
}

void Form1::Picture1_Click() {
    dialog().showModeless();
}

void Form1::Command1_Click() {
    Me.close();
}

void Form1::Form_Unload(int& /*Cancel: a close is never refused*/) {
    SetReg();
    if (form2_) dialog().Me.close(); // the dialog refuses and only hides itself
    // The end: nothing runs after this, not even the tick that may be due.
    ended_ = true;
    Timer1.setEnabled(false);
    services_.endProgram();
}

void Form1::GetReg() {
    DialogControls controls(*dialog_, services_);
    try {
        if (oneRun_)
            oneRun_->load(controls);
        else if (SettingsStore::GetReg(controls))
            program_.FirstRun = true;
    } catch (...) {
        // A change handler that a loaded value ran has failed, and the values
        // after it were not loaded. The startup goes on with what the controls
        // hold; the stored settings stay as they are, not overwritten at the
        // end by defaults that were never meant to replace them.
        settingsLoaded_ = false;
        Diagnostics::noteEscapedException("loading the settings (this run stores none)",
                                          std::current_exception());
    }
}

void Form1::SetReg() {
    if (!form2_) return; // stopped before the dialog existed: there is nothing to store
    if (!settingsLoaded_) return;
    if (oneRun_) return oneRun_->store(DialogControls(*dialog_, services_));
    SettingsStore::SetReg(DialogControls(*dialog_, services_));
}

void Form1::runWith(const RunSettings& settings) {
    oneRun_ = std::make_unique<OneRunSettings>(settings);
}

void Form1::waitForCommand(std::function<void()> stopCommand) {
    stopCommand_ = std::move(stopCommand);
    commandRunning_ = true;
}

void Form1::commandEnded(int status) {
    commandRunning_ = false;
    exitStatus_ = status;
    if (!ended_) Me.close();
}

void Form1::setTimerInterval(std::u16string_view speed) {
    if (const auto milliseconds =
            NumberText::wholeNumber(speed, Form2::kFastestSpeed, Form2::kSlowestSpeed))
        Timer1.setInterval(*milliseconds);
    else if (Timer1.interval() == 0)
        Timer1.setInterval(kFirstSpeed);
}

void Form1::showStatus(std::u16string_view message) {
    ProcessName.setCaption(message);
}

void Form1::setTitle(std::u16string_view title) {
    Me.setCaption(title);
}

void Form1::setButtonText(std::u16string_view text) {
    Command1.setCaption(text);
}

void Form1::showSecondBar(bool shown) {
    PB[1]->setVisible(shown);
}

void Form1::showBuiltinIcon(int index) {
    if (index >= 0 && index < PictureBox::kBuiltinIcons) Picture1.showBuiltinIcon(index);
}

bool Form1::showCustomIcon(std::u16string_view path) {
    if (!FileExists(services_, path)) {
        services_.showMessage(kMissingIconFile, MessageIcon::Exclamation);
        return false;
    }
    Picture1.loadPicture(path);
    return true;
}
