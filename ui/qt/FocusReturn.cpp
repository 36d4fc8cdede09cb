#include "FocusReturn.h"

#include <QApplication>

FocusReturn::FocusReturn()
    : window_(QApplication::activeWindow()), focus_(window_ ? window_->focusWidget() : nullptr) {}

FocusReturn::~FocusReturn() {
    if (!window_ || !window_->isVisible()) return;
    window_->raise();
    window_->activateWindow();
    if (focus_ && focus_->isVisible() && focus_->window() == window_)
        focus_->setFocus(Qt::ActiveWindowFocusReason);
}
