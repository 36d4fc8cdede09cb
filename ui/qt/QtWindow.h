#pragma once
// The window interface on a top-level Qt widget that may be built only when it
// is first needed: until then the window is hidden, and a close request runs
// Unload without building anything.

#include "WhenExposed.h"
#include "Window.h"

#include <QAccessible>
#include <QWidget>

#include <functional>
#include <memory>

class QtWindow final : public Window {
public:
    // build makes the widget, the first time it is needed.
    explicit QtWindow(std::function<QWidget*()> build) : build_(std::move(build)) {}

    QWidget* widget(); // builds it when it does not exist yet
    bool isBuilt() const { return widget_ != nullptr; }

    // A request to show this window before `first` has been shown is held
    // until `first` is on the screen, so that the window system places this
    // one knowing where `first` is (a window manager that avoids overlap puts
    // it beside, not under). Meanwhile the window counts as visible.
    void showAfter(QWidget& first) { first_ = &first; }

    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void close() override;

    // What the widget's close event asks: runs Unload, true when the window may
    // close.
    bool unload();

private:
    void showNow();

    std::function<QWidget*()> build_;
    QWidget* widget_ = nullptr;
    QWidget* first_ = nullptr;
    std::unique_ptr<WhenExposed> heldShow_; // set while a show waits for first_
};

// A top-level widget whose close requests go to its window's Unload.
// Assistive tools see it in the role given (a frame or a dialog), named by
// its caption.
class FormWidget : public QWidget {
public:
    FormWidget(QtWindow& window, QAccessible::Role role);
    QAccessible::Role accessibleRole() const { return role_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QtWindow& window_;
    QAccessible::Role role_;
};
