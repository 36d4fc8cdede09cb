// What the end-to-end tests ask of the X server that xdotool cannot do:
//   x11probe close WINDOW   asks a window to close, as a window manager's close box does
//   x11probe screensaver    prints the screen saver's timeout in seconds (0: off)
//   x11probe watch          prints "ready", then "shown ID TITLE" for every window
//                           mapped on the screen (no window manager) and again
//                           whenever a shown window's title changes, until
//   x11probe end-watch      ends every watch: the server sends the end after
//                           whatever it did before, so a watch has printed
//                           every window shown until then.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

const char* const kEndWatch = "X11PROBE_END_WATCH";

// A window may be gone before its title is read: such errors are expected.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

std::string titleOf(Display* display, Window window, Atom netName, Atom utf8) {
    std::string title;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == utf8 && format == 8)
        title.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    char* name = nullptr;
    if (title.empty() && XFetchName(display, window, &name) && name) title = name;
    if (name) XFree(name);
    return title;
}

int watch(Display* display) {
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    const Atom end = XInternAtom(display, kEndWatch, False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XSelectInput(display, root, SubstructureNotifyMask | PropertyChangeMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    std::set<Window> shown;
    const auto report = [&](Window window) {
        std::printf("shown 0x%lx %s\n", window, titleOf(display, window, netName, utf8).c_str());
        std::fflush(stdout);
    };
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case MapNotify:
            if (event.xmap.event != root) break;
            // Titles set from here on are reported as changes; what was set
            // before is read now.
            XSelectInput(display, event.xmap.window, PropertyChangeMask);
            shown.insert(event.xmap.window);
            report(event.xmap.window);
            break;
        case UnmapNotify:
            if (event.xunmap.event == root) shown.erase(event.xunmap.window);
            break;
        case DestroyNotify:
            shown.erase(event.xdestroywindow.window);
            break;
        case PropertyNotify:
            if (event.xproperty.window == root && event.xproperty.atom == end) return 0;
            if (shown.count(event.xproperty.window) &&
                (event.xproperty.atom == XA_WM_NAME || event.xproperty.atom == netName))
                report(event.xproperty.window);
            break;
        default:
            break;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display || argc < 2) return 2;
    if (std::strcmp(argv[1], "close") == 0 && argc == 3) {
        const Window window = std::strtoul(argv[2], nullptr, 0);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    } else if (std::strcmp(argv[1], "screensaver") == 0) {
        int timeout = 0, interval = 0, blanking = 0, exposures = 0;
        XGetScreenSaver(display, &timeout, &interval, &blanking, &exposures);
        std::printf("%d\n", timeout);
    } else if (std::strcmp(argv[1], "watch") == 0) {
        return watch(display);
    } else if (std::strcmp(argv[1], "end-watch") == 0) {
        const unsigned char nothing = 0;
        XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, kEndWatch, False),
                        XA_INTEGER, 8, PropModeReplace, &nothing, 1);
    } else {
        return 2;
    }
    XCloseDisplay(display);
    return 0;
}
