#pragma once
// Text for whoever started tarrowin.exe, which is a windowed program and so
// has no console of its own: it goes to the standard stream where there is
// one (a file, a pipe, a console handed on), else to the console of the
// program that started it (cmd, PowerShell), else into a message box.
//
// cmd does not wait for a windowed program: there the text comes after the
// next prompt; `start /wait tarrowin.exe --help` waits for it.

#include <string_view>

void printOut(std::u16string_view text);
void printError(std::u16string_view text);

// Attaches the program to the console of the program that started it, once;
// true when it has that console.
bool useStarterConsole();
