#include "ScreenPixels.h"

#include <QApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

QImage drawnOnScreen(QWidget* widget) {
    return drawnOnScreen(widget, widget->rect());
}

QImage drawnOnScreen(QWidget* widget, const QRect& area) {
    QApplication::processEvents(); // the posted repaints and the flush to the window
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, area.topLeft());
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), area.width(), area.height())
        .toImage();
}

QImage middleRow(const QImage& drawn) {
    return drawn.copy(0, drawn.height() / 2, drawn.width(), 1);
}
