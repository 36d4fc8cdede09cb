#include "FrameCheck.h"

#include <cstring>

bool isOneColour(const PixelRows& image) {
    if (image.width <= 0 || image.height <= 0) return true;
    auto pixel = [&image](int x, int y) {
        std::uint32_t value = 0;
        std::memcpy(&value,
                    image.data + static_cast<std::ptrdiff_t>(y) * image.bytesPerLine + x * 4, 4);
        return value & image.mask;
    };
    const std::uint32_t first = pixel(0, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (pixel(x, y) != first) return false;
    return true;
}
