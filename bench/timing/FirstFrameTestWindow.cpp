// A window for testing bench_first_frame: it maps an undrawn window at once,
// draws into it only after the given number of milliseconds (never when the
// number is negative), and then waits to be stopped.
//
//   bench_first_frame_test_window <paint after ms>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    const long paintAfter = argc > 1 ? std::atol(argv[1]) : 0;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    const int screen = DefaultScreen(display);
    // No background: until something draws, the window shows what lies beneath.
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 10, 10, 200, 100, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixmap, &attributes);
    const char title[] = "First frame test";
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), int(std::strlen(title)));
    XMapWindow(display, window);
    XSync(display, False);

    if (paintAfter >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(paintAfter));
        const GC gc = XCreateGC(display, window, 0, nullptr);
        XSetForeground(display, gc, WhitePixel(display, screen));
        XFillRectangle(display, window, gc, 0, 0, 200, 100);
        XSetForeground(display, gc, BlackPixel(display, screen));
        XFillRectangle(display, window, gc, 20, 20, 50, 30);
        XSync(display, False);
    }
    for (;;)
        pause();
}
