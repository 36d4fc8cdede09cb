// The browse button's picture: a small open folder with a picture in it.

#include "Artwork.h"
#include "FixedRaster.h"
#include "Shapes.h"

namespace Art {

namespace {

constexpr int kSide = 16;
constexpr QRgb kRim = qRgb(0x8a, 0x5c, 0x00);

// In the button picture's own 16-unit square. Every edge but the front
// cover's 1:2 slants lies on whole units, so the sky and the hill meet
// without blended pixels.
void drawBrowseFolder(Canvas& c) {
    const QPainterPath back = polygon({{0, 3}, {1, 2}, {5, 2}, {6, 3}, {12, 3}, {12, 15}, {0, 15}});
    c.fill(back, qRgb(0xe8, 0xb4, 0x2c));
    c.fill(innerRim(back, 1), kRim);

    // The picture standing in the folder, below the folder's top edge.
    c.fill(rectangle(3, 4, 10, 11), qRgb(0x50, 0x50, 0x50));
    c.fill(
        rectangle(4, 5, 9, 11),
        Paint::linear({0, 5}, {0, 9}, {{0, qRgb(0x3c, 0x9c, 0xff)}, {1, qRgb(0xb4, 0xe0, 0xff)}}));
    c.fill(polygon({{4, 11}, {4, 8}, {6, 8}, {6, 7}, {9, 7}, {9, 11}}), qRgb(0x2c, 0xa0, 0x2c));

    // The front cover, leaning open.
    const QPainterPath front = polygon({{0, 15}, {3, 9}, {16, 9}, {13, 15}});
    c.fill(front, Paint::linear({0, 9}, {0, 15},
                                {{0, qRgb(0xff, 0xec, 0x7a)}, {1, qRgb(0xf4, 0xc0, 0x30)}}));
    c.fill(innerRim(front, 1), kRim);
}

} // namespace

QImage browsePicture(int scale) {
    return rasterize(kSide * scale, kSide * scale, [&](Canvas& c) {
        ScaledCanvas scaled(c, scale);
        drawBrowseFolder(scaled);
    });
}

} // namespace Art
