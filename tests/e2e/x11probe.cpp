// What the end-to-end tests ask of the X server that xdotool cannot do:
//   x11probe close WINDOW   asks a window to close, as a window manager's close box does
//   x11probe screensaver    prints the screen saver's timeout in seconds (0: off)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    } else {
        return 2;
    }
    XCloseDisplay(display);
    return 0;
}
