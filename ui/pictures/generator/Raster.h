#pragma once
// How the generator turns drawing code into pixels. Every icon is drawn once
// with vector shapes at eight times its size and reduced with a box filter:
// that gives the 32-pixel image soft, exact edges, and the 64-pixel image for
// dense screens comes from the very same drawing.

#include "Grid.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTransform>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Art {

// Draws in the coordinates of a 32x32 icon (one unit = one pixel of it).
using Drawing = std::function<void(QPainter&)>;

constexpr int kIconSide = 32;
constexpr int kFineScale = 8;
constexpr int kFineSide = kIconSide * kFineScale;
// Pixels fainter than this are dropped: nobody sees them, and they would blur
// the extent of the picture.
constexpr int kFaintestAlpha = 4;

// A transparent premultiplied image of the given size with the drawing painted
// on it, antialiased, through the transform.
QImage paint(const Drawing& drawing, QSize size, const QTransform& transform);

// Averages factor x factor blocks (in premultiplied space, so edges stay clean)
// and returns straight ARGB32.
QImage reduce(const QImage& image, int factor);

// The smallest rectangle holding every pixel with at least that alpha; empty
// when there is none.
QRect inkBounds(const QImage& image, int minimumAlpha = 1);

struct IconImages {
    QImage normal;  // 32x32
    QImage doubled; // 64x64
};

// Renders a drawing as icon images. With fitTo, the drawing is first moved and
// scaled so that its ink covers exactly that box of the 32x32 image, which lets
// round and slanted subjects be drawn in convenient units.
IconImages renderIcon(const Drawing& drawing, std::optional<QRect> fitTo = std::nullopt);

// Renders a hinted drawing at 32 and at 64 pixels, each on its own grid.
IconImages renderIcon(const CanvasDrawing& drawing);

// A hinted drawing at any size, as straight ARGB32.
QImage renderAt(const CanvasDrawing& drawing, int side);

// A picture from rows of characters, one a pixel; key maps each character to a
// colour (transparent for characters it lacks).
QImage pixelArt(const std::vector<std::string>& rows, const std::function<QRgb(char)>& key);

// Enlarges without smoothing, so single pixels stay visible.
QImage magnified(const QImage& image, int factor);

} // namespace Art
