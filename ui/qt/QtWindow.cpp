#include "QtWindow.h"

#include "QtText.h"
#include "WidgetAccessibility.h"
#include "WindowCaption.h"

#include <QCloseEvent>

QWidget* QtWindow::widget() {
    if (!widget_) widget_ = build_();
    return widget_;
}

std::u16string QtWindow::caption() const {
    return widget_ ? widget_->windowTitle().toStdU16String() : std::u16string();
}

void QtWindow::setCaption(std::u16string_view caption) {
    showCaption(*widget(), fromU16(caption));
}

void QtWindow::show() {
    // Waits only while `first` has not been shown (the startup): a request that
    // comes later comes from a user who sees it.
    if (first_ && (!first_->isVisible() || heldShow_)) {
        if (!heldShow_) heldShow_ = std::make_unique<WhenExposed>(*first_, [this] { showNow(); });
        return;
    }
    showNow();
}

void QtWindow::showNow() {
    // May run from the held show's own callback: it goes once that has returned.
    if (heldShow_) heldShow_.release()->deleteLater();
    QWidget* window = widget();
    window->show();
    window->raise();
    window->activateWindow();
}

void QtWindow::hide() {
    heldShow_.reset();
    if (widget_) widget_->hide();
}

bool QtWindow::isVisible() const {
    return heldShow_ || (widget_ && widget_->isVisible());
}

void QtWindow::close() {
    if (widget_)
        widget_->close();
    else
        unload(); // nothing shown yet: only the handler has something to do
}

bool QtWindow::unload() {
    return raiseUnload() == 0;
}

FormWidget::FormWidget(QtWindow& window, QAccessible::Role role) : window_(window), role_(role) {
    installWidgetAccessibility();
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->setAccepted(window_.unload());
}
