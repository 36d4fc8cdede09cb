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
        : form1(window1.controls(), window2.controls(), program, services) {}

    QtForm1 window1;
    QtForm2 window2;
    Form1 form1;
};
