#pragma once
// The program's message loop: window messages, with the keyboard handling of a
// dialog (Tab, mnemonics) for the forms, the precise timer's wake-ups, and the
// windows' drawing once a frame.

#include <windows.h>

class FramePace;
class NativePreciseTimer;

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(NativePreciseTimer& timer, FramePace& frames);

// Marks a top-level window whose controls take Tab and Alt+letter as in a
// dialog box.
void enableDialogKeys(HWND window);
