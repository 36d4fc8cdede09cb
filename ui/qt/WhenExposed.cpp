#include "WhenExposed.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

bool isOnScreen(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return window.isVisible() && handle && handle->isExposed();
}

WhenExposed::WhenExposed(QWidget& window, std::function<void()> action)
    : window_(window), action_(std::move(action)) {
    if (isOnScreen(window_)) {
        runLater();
        return;
    }
    window_.installEventFilter(this);
    watchPlatformWindow(); // the widget may have been shown already, not yet exposed
}

bool WhenExposed::eventFilter(QObject* watched, QEvent* event) {
    // The platform window exists from the widget's Show event on.
    if (watched == &window_ && event->type() == QEvent::Show) watchPlatformWindow();
    // The window's exposed state is set before its Expose event is delivered.
    if (event->type() == QEvent::Expose && isOnScreen(window_)) runLater();
    return false;
}

void WhenExposed::watchPlatformWindow() {
    if (QWindow* handle = window_.windowHandle()) handle->installEventFilter(this);
}

void WhenExposed::runLater() {
    if (scheduled_) return;
    scheduled_ = true;
    // Not from inside the window's own event: its exposure is handled first.
    QTimer::singleShot(0, this, [this] {
        if (action_) std::exchange(action_, nullptr)();
    });
}
