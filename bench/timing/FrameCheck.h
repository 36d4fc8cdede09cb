#pragma once
// Whether a window has been painted, judged from its pixels: the watcher paints
// the root black, and a window that nobody has drawn into yet shows one colour
// (the root through a window without background, or its background colour).
// A window that the program has painted holds at least two.

#include <cstdint>

struct PixelRows {
    const unsigned char* data = nullptr;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;   // rows may be padded beyond width * 4
    std::uint32_t mask = 0; // the colour bits of a 32-bit pixel; the rest is padding
};

bool isOneColour(const PixelRows& image);
