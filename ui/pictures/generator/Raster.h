#pragma once
// How the generator turns drawings into icon images: each size is drawn on
// its own pixel grid by the integer rasteriser (see FixedRaster.h), never
// scaled from another size.

#include "Grid.h"

#include <QImage>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

namespace Art {

constexpr int kIconSide = 32;
// Pixels fainter than this are dropped: nobody sees them, and they would blur
// the extent of the picture.
constexpr int kFaintestAlpha = 4;

// The smallest rectangle holding every pixel with at least that alpha; empty
// when there is none.
QRect inkBounds(const QImage& image, int minimumAlpha = 1);

struct IconImages {
    QImage normal;  // 32x32
    QImage doubled; // 64x64
};

// A hinted drawing at 32 and at 64 pixels, each on its own grid.
IconImages renderIcon(const CanvasDrawing& drawing);

// A hinted drawing at any size, as straight ARGB32.
QImage renderAt(const CanvasDrawing& drawing, int side);

// A picture from rows of characters, one a pixel; key maps each character to a
// colour (transparent for characters it lacks).
QImage pixelArt(const std::vector<std::string>& rows, const std::function<QRgb(char)>& key);

// Pixel art at twice its size: every pixel becomes four, except that a corner
// between two equal neighbours takes their colour, so stairs become slopes
// instead of bigger stairs.
QImage doubledPixelArt(const QImage& art);

// Enlarges without smoothing, so single pixels stay visible.
QImage magnified(const QImage& image, int factor);

} // namespace Art
