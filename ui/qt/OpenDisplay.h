#pragma once
// Starts Qt's application object, which opens the display. Where Qt finds no
// display it would print a screenful and abort (a core dump where they are
// kept); here it prints one line instead, "tarrowin: cannot open a display: "
// and what was tried, and the program ends with status 1. Qt's own messages of
// the start are shown as usual when it succeeds, and after that line when
// TARROWIN_DIAGNOSTICS asks for them.

#include <QApplication>

#include <memory>

std::unique_ptr<QApplication> openDisplay(int& argc, char** argv);
