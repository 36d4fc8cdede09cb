// Samples progress bars as the X server shows them: reads one row of pixels
// through each bar again and again and counts the distinct drawings.
//   barsampler WINDOW SECONDS WANT1 X1 Y1 WIDTH1 [WANT2 X2 Y2 WIDTH2 ...]
// Rows are in the window's client coordinates. It stops as soon as every bar
// has shown as many distinct drawings as wanted, or after SECONDS, and prints
// each bar's count on a line of its own.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Bar {
    std::size_t want;
    int x, y;
    unsigned width;
    std::set<std::string> drawings;
};

std::string row(Display* display, Window window, const Bar& bar) {
    XImage* image = XGetImage(display, window, bar.x, bar.y, bar.width, 1, AllPlanes, ZPixmap);
    if (!image) return {};
    std::string pixels;
    for (unsigned x = 0; x < bar.width; ++x)
        pixels += std::to_string(XGetPixel(image, int(x), 0)) + ',';
    XDestroyImage(image);
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display || argc < 7 || (argc - 3) % 4 != 0) return 2;
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const auto seconds = std::chrono::seconds(std::atoi(argv[2]));
    std::vector<Bar> bars;
    for (int i = 3; i + 3 < argc; i += 4)
        bars.push_back({std::strtoul(argv[i], nullptr, 10),
                        std::atoi(argv[i + 1]),
                        std::atoi(argv[i + 2]),
                        unsigned(std::atoi(argv[i + 3])),
                        {}});

    const auto end = std::chrono::steady_clock::now() + seconds;
    for (bool done = false; !done && std::chrono::steady_clock::now() < end;) {
        done = true;
        for (Bar& bar : bars) {
            const std::string pixels = row(display, window, bar);
            if (!pixels.empty()) bar.drawings.insert(pixels);
            done = done && bar.drawings.size() >= bar.want;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // far under one step
    }
    for (const Bar& bar : bars)
        std::printf("%zu\n", bar.drawings.size());
    XCloseDisplay(display);
    return 0;
}
