#pragma once
// Enter presses the push button that has the keyboard focus, whichever way the
// focus came there, as Windows does for a focused push button. Nothing more:
// these windows have no default button, so Enter anywhere else (a text box,
// the list) presses nothing, and neither does Escape.

class QWidget;

// For every push button inside window, now and for good.
void pressFocusedButtonsOnEnter(QWidget& window);
