#include "ScreenCentring.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

void moveFrameToCentre(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft()); // a window's position is its frame's
}

// Waits on the window's events for its frame and centres it once it has one.
class FrameWatch final : public QObject {
public:
    explicit FrameWatch(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (window_.frameGeometry().size() != window_.size()) {
                window_.removeEventFilter(this);
                moveFrameToCentre(window_);
                deleteLater();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void centreOnScreen(QWidget& window) {
    moveFrameToCentre(window);
    if (!window.isVisible()) new FrameWatch(window); // owned by the window until it has run
}
