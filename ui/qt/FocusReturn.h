#pragma once
// Brings the keyboard back to where it was once a modal window (a message box,
// the file dialog) has closed. A window manager that picks the next window to
// focus by itself may pass over a tool window such as the options dialog and
// activate the progress window instead, leaving a keyboard user lost.

#include <QPointer>
#include <QWidget>

class FocusReturn {
public:
    // Remembers the active window and its focused control.
    FocusReturn();
    // Activates that window again, with the focus on that control, when both
    // are still shown (a window hidden meanwhile stays hidden).
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};
