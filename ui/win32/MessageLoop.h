#pragma once
// The program's message loop: window messages, with the keyboard handling of a
// dialog (Tab, mnemonics) for the forms, and the precise timer's wake-ups.

#include <windows.h>

class NativePreciseTimer;

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(NativePreciseTimer& timer);

// Marks a top-level window whose controls take Tab and Alt+letter as in a
// dialog box.
void enableDialogKeys(HWND window);
