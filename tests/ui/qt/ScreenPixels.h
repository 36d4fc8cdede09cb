#pragma once
// What a widget looks like on the screen, read back from the window's pixels as
// the platform holds them (not a fresh rendering): a repaint that never came
// shows as the old picture.

#include <QImage>

class QWidget;

// The widget's area as its window last drew it, after the pending events ran;
// or another area, in the widget's coordinates.
QImage drawnOnScreen(QWidget* widget);
QImage drawnOnScreen(QWidget* widget, const QRect& area);

// One row of pixels through the middle of a drawn widget.
QImage middleRow(const QImage& drawn);
