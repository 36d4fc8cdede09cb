#pragma once
// The two windows of the program on Win32, made hidden from their layouts and
// dressed with their pictures, pointers and colours, and the controls the
// behaviour's Form1 and Form2 are built over.

#include "ControlNote.h"
#include "FormWindow.h"
#include "FramePace.h"
#include "NativePictureBox.h"
#include "NativeTimer.h"

struct Form1Controls;
struct Form2Controls;

class NativeForms {
public:
    NativeForms();
    NativeForms(const NativeForms&) = delete;
    NativeForms& operator=(const NativeForms&) = delete;

    // In FormControls.cpp.
    Form1Controls form1Controls();
    Form2Controls form2Controls();

    FramePace frames; // before the windows: their bars hand their values on through it
    FormWindow form1; // built at once
    FormWindow form2; // built when first shown
    NativeTimer timer1;
    // What keeps the screen on, on the "Disable Screen Saver" box.
    ControlNote screenSaverNote;
};
