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
    QWidget* window = widget();
    window->show();
    window->raise();
    window->activateWindow();
}

void QtWindow::hide() {
    if (widget_) widget_->hide();
}

bool QtWindow::isVisible() const {
    return widget_ && widget_->isVisible();
}

void QtWindow::close() {
    if (widget_)
        widget_->close();
    else
        unload(); // nothing shown yet: only the handler has something to do
}

bool QtWindow::unload() {
    int Cancel = 0;
    if (Unload) Unload(Cancel);
    return Cancel == 0;
}

FormWidget::FormWidget(QtWindow& window, QAccessible::Role role) : window_(window), role_(role) {
    installWidgetAccessibility();
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->setAccepted(window_.unload());
}
