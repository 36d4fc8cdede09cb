#include "WaylandIdleInhibitor.h"

#include "Diagnostics.h"
#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <QWindow>
// Qt's native interface: the one way Qt 6.4 hands out its Wayland display and
// a window's surface.
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstring>

namespace {

// Binds the idle-inhibit manager when the compositor announces it.
void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t /*version*/) {
    auto** manager = static_cast<zwp_idle_inhibit_manager_v1**>(data);
    if (!*manager && std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) == 0)
        *manager = static_cast<zwp_idle_inhibit_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
}
void globalRemoved(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {global, globalRemoved};

QPlatformNativeInterface* nativeInterface() {
    return QGuiApplication::platformNativeInterface();
}

} // namespace

bool WaylandIdleInhibitor::onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

WaylandIdleInhibitor::WaylandIdleInhibitor(QWidget& window) : widget_(window) {
    widget_.installEventFilter(this);
}

WaylandIdleInhibitor::~WaylandIdleInhibitor() {
    detach();
    if (manager_) zwp_idle_inhibit_manager_v1_destroy(manager_);
    flush();
    if (queue_) wl_event_queue_destroy(queue_);
}

void WaylandIdleInhibitor::setInhibited(bool inhibited) {
    wanted_ = inhibited;
    if (!inhibited) {
        detach();
        return;
    }
    findManager();
    watchWindow();
    attach();
}

WaylandIdleInhibitor::State WaylandIdleInhibitor::state() const {
    if (!wanted_) return State::Off;
    if (inhibitor_) return State::Holding;
    if (looked_ && !manager_) return State::NoProtocol;
    return State::WindowNotShown;
}

void WaylandIdleInhibitor::findManager() {
    if (looked_ || !onWayland()) return;
    looked_ = true;
    QPlatformNativeInterface* native = nativeInterface();
    display_ = native ? static_cast<wl_display*>(
                            native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
                      : nullptr;
    if (!display_) {
        Diagnostics::note(Diagnostics::Area::ScreenSaver, "Qt gave no Wayland display");
        return;
    }
    // The globals are read on a queue of this object's own: Qt's thread that
    // reads the connection dispatches only Qt's queues.
    queue_ = wl_display_create_queue(display_);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue_);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_registry_add_listener(registry, &kRegistryListener, &manager_);
    wl_display_roundtrip_queue(display_, queue_);
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(wrapped);
    if (!manager_)
        Diagnostics::note(Diagnostics::Area::ScreenSaver,
                          "the Wayland compositor offers no idle inhibition");
}

void WaylandIdleInhibitor::watchWindow() {
    QWindow* window = widget_.windowHandle();
    if (window == window_) return;
    if (window_) window_->removeEventFilter(this);
    window_ = window;
    if (window_) window_->installEventFilter(this);
}

bool WaylandIdleInhibitor::eventFilter(QObject* watched, QEvent* event) {
    const State before = state();
    if (watched == &widget_) {
        // The widget gets its window when it is first shown, or a new one.
        if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange) watchWindow();
    } else if (watched == window_) {
        switch (event->type()) {
        case QEvent::Expose:
            if (window_->isExposed()) attach();
            break;
        case QEvent::Hide:
            detach(); // the surface goes with the shown window
            break;
        case QEvent::PlatformSurface:
            if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
                detach();
            break;
        default:
            break;
        }
    }
    if (state() != before && onChange) onChange();
    return false;
}

void WaylandIdleInhibitor::attach() {
    if (!wanted_ || !manager_ || !window_ || !window_->isVisible()) return;
    auto* surface = static_cast<wl_surface*>(
        nativeInterface()->nativeResourceForWindow(QByteArrayLiteral("surface"), window_));
    if (!surface || (inhibitor_ && surface == surface_)) return;
    detach();
    inhibitor_ = zwp_idle_inhibit_manager_v1_create_inhibitor(manager_, surface);
    surface_ = surface;
    flush();
}

void WaylandIdleInhibitor::detach() {
    if (!inhibitor_) return;
    zwp_idle_inhibitor_v1_destroy(inhibitor_);
    inhibitor_ = nullptr;
    surface_ = nullptr;
    flush();
}

// Sent at once: the program may be about to end, or to wait for the user.
void WaylandIdleInhibitor::flush() {
    if (display_) wl_display_flush(display_);
}
