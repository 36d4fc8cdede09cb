// Starts a program on the current X display and reports when its first window
// shows painted pixels, and how much memory the program took at most.
//
//   bench_first_frame [--linger <ms>] [--timeout <ms>] -- <program> [<argument>...]
//
// It creates no window of its own: it watches the root for the program's
// top-level windows, follows each one's damage (what the server reports drawn
// into it) and looks at the pixels after every report. The program is asked to
// stop with SIGTERM when it has been on screen for the linger time (1000 ms
// unless given) and its peak resident memory is read when it has ended.
//
// Prints one line: first_frame_ms, max_rss_kb, exit (the exit status, or 128 +
// signal), title (of the window that was painted first).

#include "FrameCheck.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kPollStep{5};
constexpr milliseconds kStopGrace{10000}; // after SIGTERM, before SIGKILL

struct Options {
    milliseconds linger{1000};
    milliseconds timeout{30000};
    char** command = nullptr;
};

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "bench_first_frame: %s\n", why.c_str());
    std::exit(1);
}

Options parse(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--linger") == 0 && hasValue)
            options.linger = milliseconds(std::atol(argv[++i]));
        else if (std::strcmp(argv[i], "--timeout") == 0 && hasValue)
            options.timeout = milliseconds(std::atol(argv[++i]));
        else
            fail(std::string("unknown option ") + argv[i]);
    }
    if (i + 1 >= argc)
        fail("usage: bench_first_frame [--linger ms] [--timeout ms] -- program [argument...]");
    options.command = argv + i + 1;
    return options;
}

// The program's windows come and go while they are looked at; a request about
// one that is gone, or an input-only one, is of no interest.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

class Watcher {
public:
    Watcher() : display_(XOpenDisplay(nullptr)) {
        if (!display_) fail("cannot open the X display");
        int errorBase = 0;
        if (!XDamageQueryExtension(display_, &damageEventBase_, &errorBase))
            fail("the X server has no DAMAGE extension");
        int major = 1, minor = 1;
        XDamageQueryVersion(display_, &major, &minor);
        XSetErrorHandler(ignoreXError);
        root_ = DefaultRootWindow(display_);
        // A black root: a window not yet drawn into shows one colour.
        XSetWindowBackground(display_, root_, BlackPixel(display_, DefaultScreen(display_)));
        XClearWindow(display_, root_);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, False);
    }
    ~Watcher() { XCloseDisplay(display_); }

    // Handles what the server has reported; true once a window shows painted pixels.
    bool painted(milliseconds wait) {
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        if (!XPending(display_)) poll(&fd, 1, static_cast<int>(wait.count()));
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            if (handle(event)) return true;
        }
        return false;
    }

    std::string title() const {
        if (!paintedWindow_) return {};
        const Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
        const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        std::string text;
        if (XGetWindowProperty(display_, *paintedWindow_, name, 0, 1024, False, utf8, &type,
                               &format, &count, &left, &data) == Success &&
            data) {
            text.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return text;
    }

    // Stops following the windows, so that the program's painting from now on
    // costs nothing here.
    void stopWatching() {
        for (auto& [window, damage] : damages_)
            XDamageDestroy(display_, damage);
        damages_.clear();
        XSelectInput(display_, root_, NoEventMask);
        XSync(display_, False);
    }

private:
    bool handle(const XEvent& event) {
        switch (event.type) {
        case CreateNotify:
            if (event.xcreatewindow.parent == root_ && !event.xcreatewindow.override_redirect)
                damages_[event.xcreatewindow.window] =
                    XDamageCreate(display_, event.xcreatewindow.window, XDamageReportNonEmpty);
            return false;
        case DestroyNotify:
            damages_.erase(event.xdestroywindow.window);
            return false;
        case MapNotify:
            // Drawn before the damage was followed? Then the pixels already show it.
            return damages_.count(event.xmap.window) && check(event.xmap.window);
        default:
            if (event.type != damageEventBase_ + XDamageNotify) return false;
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            XDamageSubtract(display_, damage.damage, None, None);
            return damages_.count(damage.drawable) && check(damage.drawable);
        }
    }

    bool check(Window window) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, window, &attributes) ||
            attributes.map_state != IsViewable)
            return false;
        XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (!image) return false;
        if (image->bits_per_pixel != 32)
            fail("the X server's pixels are not 32-bit; start it with depth 24");
        const PixelRows rows{
            reinterpret_cast<const unsigned char*>(image->data), image->width, image->height,
            image->bytes_per_line,
            static_cast<std::uint32_t>(image->red_mask | image->green_mask | image->blue_mask)};
        const bool drawn = !isOneColour(rows);
        XDestroyImage(image);
        if (drawn) paintedWindow_ = window;
        return drawn;
    }

    Display* display_;
    Window root_ = None;
    int damageEventBase_ = 0;
    std::map<Window, Damage> damages_;
    std::optional<Window> paintedWindow_;
};

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool hasEnded(pid_t pid, int& status, rusage& usage) {
    return wait4(pid, &status, WNOHANG, &usage) == pid;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    Watcher watcher;

    const auto start = Clock::now();
    pid_t pid = 0;
    if (const int error =
            posix_spawnp(&pid, options.command[0], nullptr, nullptr, options.command, environ))
        fail(std::string("cannot start ") + options.command[0] + ": " + std::strerror(error));

    int status = 0;
    rusage usage{};
    std::optional<double> firstFrame;
    bool ended = false;
    while (!firstFrame && !(ended = hasEnded(pid, status, usage))) {
        if (watcher.painted(kPollStep))
            firstFrame = millisecondsSince(start);
        else if (Clock::now() - start > options.timeout)
            break;
    }
    const std::string title = watcher.title();
    watcher.stopWatching();

    if (!ended && firstFrame) {
        const auto lingerEnd = Clock::now() + options.linger;
        while (Clock::now() < lingerEnd && !(ended = hasEnded(pid, status, usage)))
            std::this_thread::sleep_for(kPollStep);
    }
    if (!ended) {
        kill(pid, SIGTERM);
        const auto giveUp = Clock::now() + kStopGrace;
        while (!(ended = hasEnded(pid, status, usage)) && Clock::now() < giveUp)
            std::this_thread::sleep_for(kPollStep);
        if (!ended) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
        }
    }
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    if (firstFrame)
        std::printf("first_frame_ms=%.3f", *firstFrame);
    else
        std::printf("first_frame_ms=nan");
    std::printf(" max_rss_kb=%ld exit=%d title=\"%s\"\n", usage.ru_maxrss, exitCode, title.c_str());
    return firstFrame ? 0 : 1;
}
