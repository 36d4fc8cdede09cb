#include "WindowCaption.h"

#include <QGuiApplication>
#include <QString>
#include <QWidget>

#if __has_include(<X11/Xlib.h>)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#define TARROWIN_X11 1
#endif

namespace {

// Qt shows an even run of markers as half as many literal ones.
QString withLiteralMarkers(const QString& text) {
    QString escaped = text;
    return escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// The X11 platform puts the application's name where the title is empty; an
// empty caption is written into the window's name properties directly. Qt
// writes them again only when the title is set again, which comes back here.
void showEmptyCaptionOnX11(QWidget& window) {
#ifdef TARROWIN_X11
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return;
    Display* display = x11->display();
    const auto id = static_cast<::Window>(window.winId()); // creates the native window if need be
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    static const unsigned char kNothing = 0;
    for (const Atom name : {Atom(XA_WM_NAME), XInternAtom(display, "_NET_WM_NAME", False)})
        XChangeProperty(display, id, name, utf8, 8, PropModeReplace, &kNothing, 0);
    XFlush(display);
#else
    Q_UNUSED(window);
#endif
}

} // namespace

void showCaption(QWidget& window, const QString& text) {
    window.setWindowTitle(withLiteralMarkers(text));
    if (text.isEmpty()) showEmptyCaptionOnX11(window);
}
