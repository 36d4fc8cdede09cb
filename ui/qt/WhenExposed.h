#pragma once
// Runs an action once a top-level widget is on the screen: shown and exposed,
// which under a window manager means the manager has taken the window in and
// placed it. What is then mapped is placed with that window already known.

#include <QObject>

#include <functional>

class QWidget;

// True when the widget's window is shown and exposed on the screen.
bool isOnScreen(const QWidget& window);

class WhenExposed final : public QObject {
public:
    // Waits on `window`'s events; `action` runs once, from the event loop, after
    // the window has been exposed. Destroying this object cancels it.
    WhenExposed(QWidget& window, std::function<void()> action);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchPlatformWindow();
    void runLater();

    QWidget& window_;
    std::function<void()> action_;
    bool scheduled_ = false;
};
