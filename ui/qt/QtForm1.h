#pragma once
// The progress window on Qt Widgets: its layout, and its controls as Form1
// reaches them.

#include "Form1Controls.h"
#include "QtControls.h"
#include "QtFrames.h"
#include "QtPreciseTimer.h"
#include "QtWindow.h"
#include "ui_Form1.h"

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

    QtFrames& frames() { return frames_; }

private:
    QtWindow Me;
    Form1Widget widget_;
    QtFrames frames_; // before the bars, which hand their values on through it
    QtLabel ProcessName;
    std::array<QtProgressBar, 2> PB;
    QtPictureBoxControl Picture1;
    QtCommandButton Command1;
    QtPreciseTimer Timer1;
};
