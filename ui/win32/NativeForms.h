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
    ~NativeForms();
    NativeForms(const NativeForms&) = delete;
    NativeForms& operator=(const NativeForms&) = delete;

    FramePace frames; // before the windows: their bars hand their values on through it
    FormWindow form1; // built at once
    FormWindow form2; // built when first shown
    NativeTimer timer1;
    // What keeps the screen on, on the "Disable Screen Saver" box.
    ControlNote screenSaverNote;

    // In FormControls.cpp.
    Form1Controls form1Controls() const;
    Form2Controls form2Controls() const;

private:
    // The window icons, pointers and button picture drawn for the form's dpi.
    void dressForm1(UINT dpi);
    void dressForm2(UINT dpi);

    struct Pointers {
        HCURSOR iconBox = nullptr;
        HCURSOR logo = nullptr;
    };
    Pointers pointers_;
    HICON icons_[2][2] = {}; // per form: big, small
};
