#include "QtPictureBox.h"

#include "QtPictureBoxAccessible.h"

#include <QMouseEvent>
#include <QPainter>

QtPictureBox::QtPictureBox(QWidget* parent) : QWidget(parent) {
    installPictureBoxAccessibility();
    setAutoFillBackground(true);
}

void QtPictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void QtPictureBox::setCursorOnEnter(std::function<QCursor()> make) {
    makeCursor_ = std::move(make);
}

void QtPictureBox::enterEvent(QEnterEvent* event) {
    if (makeCursor_) {
        setCursor(makeCursor_());
        makeCursor_ = nullptr;
    }
    QWidget::enterEvent(event);
}

void QtPictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

// A click is a press and a release of the left button over the box.
void QtPictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void QtPictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}
