#pragma once
// The two windows of the program on Win32, made hidden from their layouts and
// dressed with their pictures, pointers and colours, and the controls the
// behaviour's Form1 and Form2 are built over.

#include "FormWindow.h"
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

private:
    // Registered before the windows below are made (members start in this order).
    bool commonControls_;

public:
    FormWindow form1; // built at once
    FormWindow form2; // built when first shown
    NativeTimer timer1;

    // In FormControls.cpp.
    Form1Controls form1Controls() const;
    Form2Controls form2Controls() const;

private:
    HCURSOR logoPointer_ = nullptr;
};
