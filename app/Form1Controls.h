#pragma once
// The progress window's controls, as a front end hands them to Form1. They
// must outlive the Form1 built over them.
//
//   Form1(const Form1Controls& controls, const Form2Controls& dialog,
//         ProgramState& program, PlatformServices& services);
//
// Form1 hooks its handlers to the controls' events in its constructor; the
// dialog's controls are handed on to Form2, which Form_Load creates.

#include "CommandButton.h"
#include "IntervalTimer.h"
#include "Label.h"
#include "PictureBox.h"
#include "ProgressBar.h"
#include "Window.h"

#include <array>

struct Form1Controls {
    Window& Me;                     // the progress window itself
    Label& ProcessName;             // the status line
    std::array<ProgressBar*, 2> PB; // PB[0] always shown, PB[1] the second bar
    PictureBox& Picture1;           // the icon, click for options
    CommandButton& Command1;        // "Cancel"
    IntervalTimer& Timer1;          // the animation
};
