#include "Form1.h"

#include "ClassicFont.h"
#include "CodePage.h"
#include "DialogControls.h"
#include "Form2.h"
#include "Module1.h"
#include "NumberText.h"
#include "PictureFile.h"
#include "Pictures.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "QtText.h"
#include "ScreenCentring.h"
#include "SettingsStore.h"
#include "SystemActions.h"
#include "WindowCaption.h"

#include <QCloseEvent>

namespace {
// The speed of the first message when nothing is set: what the timer takes at
// startup when the first speed has no whole-number value and there is no earlier
// interval to keep.
constexpr int kFirstSpeed = 50; // as the first speed box holds before anything is stored
} // namespace

Form1::Form1(ProgramState& program, PlatformServices& services)
    : program_(program), services_(services) {
    setupUi(this);
    PB = {PB_0, PB_1};

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(Pictures::progressWindowIcon());
    applyClassicFontSizes(this);
    Picture1->setCursor(Pictures::iconBoxCursor());
    centreOnScreen(*this);

    // A bar repaints itself only when the new position moves its fill by a whole
    // chunk of the style; one step of 40 is less than that, so every step asks
    // for its own repaint (one per frame at most, as every update is).
    for (QProgressBar* bar : PB)
        connect(bar, &QProgressBar::valueChanged, bar, qOverload<>(&QWidget::update));

    barFrame_.setSingleShot(true);
    barFrame_.setInterval(kFrameInterval);
    connect(&barFrame_, &QTimer::timeout, this, [this] {
        for (QProgressBar* bar : PB) bar->setUpdatesEnabled(true); // one repaint, of the latest position
    });

    connect(&Timer1, &IntervalTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Picture1, &PictureBox::clicked, this, &Form1::Picture1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    InitCommonControlsVB();
    form2_ = std::make_unique<::Form2>(*this, program_, services_);
    program_.FirstRun = false;
    GetReg();
    // A message box of the settings store, and the one of a missing icon file
    // below, wait in an event loop of their own: a request to stop that comes
    // meanwhile ends the program there, and the startup must not go on after it.
    if (ended_) return;
    Timer1.setEnabled(true);
    showCaption(*this, Form2().Pmess->text());
    Command1->setText(Form2().ButText->text());
    Bar1Pos = 0;
    Bar2Pos = 0;
    program_.MsgIndex = 0;
    setTimerInterval(Form2().Speedbox[0]->text());
    ProcessName->setText(Form2().Status[0]->text());
    if (Form2().IconList->currentIndex() < ::Form2::kCustomIcon)
        showBuiltinIcon(Form2().IconList->currentIndex());
    if (Form2().IconList->currentIndex() == ::Form2::kCustomIcon &&
        !showCustomIcon(Form2().CustIconFileTxt->text())) {
        if (ended_) return;
        Form2().showModeless();
    }
    if (Form2().DualChk->value() == ValueCheckBox::Unchecked) PB[1]->hide();
    if (Form2().Ssav->value() == ValueCheckBox::Checked) Form2().ToggleScreenSaverActive(false);
    if (program_.FirstRun) Form2().showModeless();
}

bool Form1::InitCommonControlsVB() { return InitializeCommonControls(); }

void Form1::Timer1_Timer() {
    Bar1Pos += 1;
    if (Bar1Pos == kBarSteps) {
        Bar1Pos = 0;
        Bar2Pos += 1;
        std::int32_t& MsgIndex = program_.MsgIndex;
        MsgIndex += 1;
        if (MsgIndex == ::Form2::kMessages) MsgIndex = 0;
        // Only the slot just reached is tested: an empty message 0 is shown as it is.
        if (Form2().Status[MsgIndex]->text().isEmpty()) MsgIndex = 0;
        ProcessName->setText(Form2().Status[MsgIndex]->text());
        setTimerInterval(Form2().Speedbox[MsgIndex]->text());
    }
    if (Bar2Pos == kBarSteps) Bar2Pos = 0;
    showBarPositions();
}

void Form1::showBarPositions() {
    // A progress bar repaints at once on every new position; at a tick a
    // millisecond that would be a thousand paints a second for the eye's sixty.
    if (Timer1.interval() < kFrameInterval && !barFrame_.isActive()) {
        for (QProgressBar* bar : PB) bar->setUpdatesEnabled(false);
        barFrame_.start();
    }
    PB[0]->setValue(Bar1Pos);
    PB[1]->setValue(Bar2Pos); // also while hidden, so that it is current when shown again
}

void Form1::Picture1_Click() { Form2().showModeless(); }

void Form1::Command1_Click() { close(); }

void Form1::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    int Cancel = 0;
    Form_Unload(Cancel);
    event->setAccepted(Cancel == 0);
}

void Form1::Form_Unload(int& /*Cancel: a close is never refused*/) {
    SetReg();
    if (form2_) Form2().close(); // the dialog refuses and only hides itself
    // The end: nothing runs after this, not even the tick that may be due.
    ended_ = true;
    Timer1.setEnabled(false);
    services_.endProgram();
}

void Form1::GetReg() {
    DialogControls controls(Form2(), services_);
    if (SettingsStore::GetReg(controls)) program_.FirstRun = true;
}

void Form1::SetReg() {
    if (!form2_) return; // stopped before the dialog existed: there is nothing to store
    SettingsStore::SetReg(DialogControls(Form2(), services_));
}

void Form1::setTimerInterval(const QString& speed) {
    if (const auto milliseconds =
            NumberText::wholeNumber(view(speed), ::Form2::kFastestSpeed, ::Form2::kSlowestSpeed))
        Timer1.setInterval(*milliseconds);
    else if (Timer1.interval() == 0)
        Timer1.setInterval(kFirstSpeed);
}

QPixmap Form1::icos(int index) const { return Pictures::builtinIcon(index, devicePixelRatioF()); }

void Form1::showBuiltinIcon(int index) {
    if (index >= 0 && index < Pictures::builtinIconCount()) Picture1->setPicture(icos(index));
}

bool Form1::showCustomIcon(const QString& path) {
    if (!FileExists(CodePage::narrow(view(path)))) {
        services_.showMessage(QStringLiteral("Custom icon file does not exist."),
                              MessageIcon::Exclamation);
        return false;
    }
    const QPixmap picture = readPictureFile(path);
    if (!picture.isNull()) Picture1->setPicture(picture);
    return true;
}
