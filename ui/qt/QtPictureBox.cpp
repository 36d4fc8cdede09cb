#include "QtPictureBox.h"

#include "FocusRing.h"
#include "QtPictureBoxAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kRingGap = 1; // between the box and its ring, at 1x
} // namespace

QtPictureBox::QtPictureBox(QWidget* parent) : QWidget(parent) {
    installPictureBoxAccessibility();
    setAutoFillBackground(true);
    watchParent();
}

void QtPictureBox::watchParent() {
    if (QWidget* parent = parentWidget()) parent->installEventFilter(this);
}

bool QtPictureBox::event(QEvent* event) {
    if (event->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    if (event->type() == QEvent::ParentChange) watchParent();
    return QWidget::event(event);
}

QRect QtPictureBox::focusFrame() const {
    const int reach = kRingGap + kFocusRingWidth;
    return geometry().adjusted(-reach, -reach, reach, reach);
}

// The parent's paint: its background is drawn by then, and the ring goes over
// it, before the parent's own painting (which these windows do not have).
bool QtPictureBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == parentWidget() && hasFocus()) {
        QPainter painter(parentWidget());
        drawFocusRing(painter, focusFrame(),
                      focusRingColour(parentWidget()->palette().color(QPalette::Window),
                                      window()->palette()));
    }
    return QWidget::eventFilter(watched, event);
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
    QPainter painter(this);
    if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
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

// As a push button: Space clicks when it is let go, Enter at once. Keys held
// down repeat nothing.
void QtPictureBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
    } else if (key == Qt::Key_Space) {
        if (!event->isAutoRepeat()) spaceDown_ = true;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) emit clicked();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void QtPictureBox::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    const bool click = spaceDown_;
    spaceDown_ = false;
    if (click) emit clicked();
}

// Only the keyboard gives the box the focus: its ring shows whenever it has it.
void QtPictureBox::focusInEvent(QFocusEvent* event) {
    if (parentWidget()) parentWidget()->update(focusFrame());
    QWidget::focusInEvent(event);
}

void QtPictureBox::focusOutEvent(QFocusEvent* event) {
    spaceDown_ = false;
    if (parentWidget()) parentWidget()->update(focusFrame());
    QWidget::focusOutEvent(event);
}
