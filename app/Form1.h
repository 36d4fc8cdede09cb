#pragma once
// The progress window: the program's startup window, its animation, its two
// commands and the program's shutdown. It owns the options dialog, whose
// controls hold the settings it shows.

#include "IntervalTimer.h"
#include "ui_Form1.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class Form2;
struct PlatformServices;
struct ProgramState;

class Form1 : public QWidget, public Ui::Form1 {
    Q_OBJECT
public:
    Form1(ProgramState& program, PlatformServices& services);
    ~Form1() override;

    // The bar positions run from 0 to kBarSteps - 1: a bar shows full for one
    // tick, empty on the next.
    static constexpr std::int32_t kBarSteps = 41;

    std::array<QProgressBar*, 2> PB;
    IntervalTimer Timer1;
    std::int32_t Bar1Pos = 0;
    std::int32_t Bar2Pos = 0;

    // The options dialog; exists from step 2 of Form_Load on.
    ::Form2& Form2() { return *form2_; }

    // Handlers, named after the control and event that run them.
    void Form_Load();
    void Timer1_Timer();
    void Picture1_Click();
    void Command1_Click();
    void Form_Unload(int& Cancel);

    bool InitCommonControlsVB();
    void GetReg();
    void SetReg();

    // What the startup and the dialog's Apply push into the window.
    // Sets Timer1's interval from a speed text; a text without a whole number of
    // milliseconds from 1 up keeps the interval the timer has.
    void setTimerInterval(const QString& speed);
    // The built-in picture 0 to 6 (icos(i)); any other index changes nothing.
    void showBuiltinIcon(int index);
    // The picture file as the icon. When nothing exists under the path it shows
    // "Custom icon file does not exist." and returns false; a file that is no
    // readable picture keeps the icon as it was.
    bool showCustomIcon(const QString& path);

    // The picture that icos(index) holds, at this window's pixel density.
    QPixmap icos(int index) const;

    bool hasEnded() const { return ended_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Below this interval the ticks come faster than a screen shows frames: the
    // bars then take every position at once but repaint once per frame.
    static constexpr int kFrameInterval = 16; // milliseconds

    void showBarPositions();

    ProgramState& program_;
    PlatformServices& services_;
    std::unique_ptr<::Form2> form2_;
    QTimer barFrame_; // while it runs, the bars hold their repaints
    bool ended_ = false;
};
