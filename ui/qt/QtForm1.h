#pragma once
// The progress window on Qt Widgets: its layout, and its controls as Form1
// reaches them.

#include "Form1Controls.h"
#include "FramePace.h"
#include "QtControls.h"
#include "QtPreciseTimer.h"
#include "QtWindow.h"
#include "ui_Form1.h"

#include <QTimer>

#include <array>

class Form1Widget : public FormWidget, public Ui::Form1 {
public:
    explicit Form1Widget(QtWindow& window);

    std::array<QProgressBar*, 2> PB; // the control array, indexed from 0
};

class QtForm1 {
public:
    QtForm1();

    Form1Controls controls();
    Form1Widget& widget() { return widget_; }
    QtPreciseTimer& timer() { return Timer1; }

    // The picture of icos(index), at the window's pixel density.
    QPixmap icos(int index) const;

private:
    // Below this interval the ticks come faster than a screen shows frames: the
    // bars then show their latest position once per frame. A bar tells
    // assistive tools of each position it shows, so they hear of it no more
    // often either.
    static constexpr int kFrameInterval = int(FramePace::kFrame.count()); // milliseconds

    bool waitForFrame();

    QtWindow Me;
    Form1Widget widget_;
    QtLabel ProcessName;
    std::array<QtProgressBar, 2> PB;
    QtPictureBoxControl Picture1;
    QtCommandButton Command1;
    QtPreciseTimer Timer1;
    QTimer barFrame_; // while it runs, the bars wait for it with their new positions
};
