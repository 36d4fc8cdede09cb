#pragma once
// The program on Qt Widgets: both windows' controls and the behaviour built
// over them. main runs it; the tests drive it the same way.

#include "Form1.h"
#include "QtForm1.h"
#include "QtForm2.h"

struct PlatformServices;
struct ProgramState;

class QtProgram {
public:
    QtProgram(ProgramState& program, PlatformServices& services)
        : form1(window1.controls(), window2.controls(), program, services) {
        // The dialog that a first start or a missing icon file opens during the
        // startup goes up after the progress window and is placed by the window
        // system as any new window is: a window manager that avoids overlap
        // then keeps it clear of the centred progress window, not under it.
        window2.showAfter(window1.widget());
    }

    QtForm1 window1;
    QtForm2 window2;
    Form1 form1;
};
