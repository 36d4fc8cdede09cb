#pragma once
// Keeps a Wayland compositor from going idle while a window is on the screen:
// an idle inhibitor on the window's surface, which sway and the other wlroots
// compositors, KWin and Weston honour, and their idle daemons (swayidle,
// hypridle) with them. Most of these offer no screen-saver service on the
// session bus, so this is the one request they hear.
//
// The compositor honours an inhibitor only while its surface is visible: a
// window that is minimised, on another workspace or covered lets the screen
// blank again. Qt gives a window a new surface each time it is shown, so the
// inhibitor is made again on the new one and let go when the window hides.
// It ends with the program: the compositor drops what a closed connection held.
//
// Qt's own connection to the compositor is used (a surface belongs to one
// connection); nothing is asked of a session that is not Wayland.

#include <QObject>

#include <functional>

class QWidget;
class QWindow;
struct wl_display;
struct wl_event_queue;
struct wl_surface;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

class WaylandIdleInhibitor final : public QObject {
public:
    enum class State {
        Off,            // not asked, or let go
        Holding,        // an inhibitor is on the window's surface
        NoProtocol,     // the compositor offers no idle inhibition
        WindowNotShown, // asked; the inhibitor waits for the window to be shown
    };

    // True when Qt runs on Wayland: elsewhere there is nothing to ask.
    static bool onWayland();

    // For the top-level widget `window`, which must outlive this object.
    explicit WaylandIdleInhibitor(QWidget& window);
    ~WaylandIdleInhibitor() override;
    WaylandIdleInhibitor(const WaylandIdleInhibitor&) = delete;
    WaylandIdleInhibitor& operator=(const WaylandIdleInhibitor&) = delete;

    // Holds an inhibitor on the window while it is shown (true), or lets it go.
    void setInhibited(bool inhibited);
    State state() const;

    // Runs when the state changed through the window (shown, hidden), not on
    // this object's own requests.
    std::function<void()> onChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findManager(); // once: looks through the compositor's globals
    void watchWindow();
    void attach(); // to the window's current surface, when shown
    void detach();
    void flush();

    QWidget& widget_;
    QWindow* window_ = nullptr; // the widget's window, once it has one
    wl_display* display_ = nullptr;
    wl_event_queue* queue_ = nullptr; // the manager's: its globals are read here
    zwp_idle_inhibit_manager_v1* manager_ = nullptr;
    bool looked_ = false;
    zwp_idle_inhibitor_v1* inhibitor_ = nullptr;
    wl_surface* surface_ = nullptr; // the surface the inhibitor is on
    bool wanted_ = false;
};
