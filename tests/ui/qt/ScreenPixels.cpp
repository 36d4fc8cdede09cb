#include "ScreenPixels.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

QImage drawnOnScreen(QWidget* widget) {
    QApplication::processEvents(); // the posted repaints and the flush to the window
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

QImage middleRow(const QImage& drawn) {
    return drawn.copy(0, drawn.height() / 2, drawn.width(), 1);
}
