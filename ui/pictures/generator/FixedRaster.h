#pragma once
// A canvas that turns outlines into pixels with integer arithmetic only, so
// that every machine gets the same bytes. Outlines are rounded to 1/256 of a
// pixel; each pixel is sampled on a 16 x 16 grid (antialiased once, at the
// final size); gradients are evaluated at pixel centres in fixed point; and
// layers are blended in premultiplied 8-bit integers.

#include "Canvas.h"

#include <QImage>
#include <array>
#include <vector>

namespace Art {

class FixedRaster final : public Canvas {
public:
    FixedRaster(int width, int height);
    using Canvas::fill;
    void fill(const QPainterPath& outline, const Paint& paint) override;

    // Straight ARGB32, as drawn so far.
    QImage image() const;

private:
    std::vector<int> coverage(const QPainterPath& outline) const;

    int width_;
    int height_;
    std::vector<std::array<int, 4>> premultiplied_; // a, r, g, b per pixel
};

// Renders a drawing made for a canvas of the given size.
template <typename Draw> QImage rasterize(int width, int height, Draw&& draw) {
    FixedRaster canvas(width, height);
    draw(canvas);
    return canvas.image();
}

} // namespace Art
