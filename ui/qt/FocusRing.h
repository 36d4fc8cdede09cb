#pragma once
// The program's own focus indicator: a ring along the inside of a control's
// edge, in whichever of the palette's highlight, text and window colours
// stands out most from the control's face. A style's own indicator may be a
// pale tint, or a highlight that a dark palette swallows.

#include <QColor>

class QPainter;
class QPalette;
class QRect;
class QWidget;

// The ring's width in pixels at 1x; Qt scales it with the screen.
inline constexpr int kFocusRingWidth = 2;

// The ring's colour on a face of the given colour.
QColor focusRingColour(const QColor& face, const QPalette& palette);
// Draws the ring along the inside of the rectangle.
void drawFocusRing(QPainter& painter, const QRect& edge, const QColor& colour);
// Every push button inside window draws the ring over the style's own
// indicator while it has the focus.
void ringFocusedButtons(QWidget& window);
