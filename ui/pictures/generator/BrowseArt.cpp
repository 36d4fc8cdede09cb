// The browse button's picture: a small open folder with a picture in it.

#include "Artwork.h"
#include "Shapes.h"

namespace Art {

namespace {

constexpr int kSide = 16;
constexpr int kScale = 8;

// In the button picture's own 16-pixel units.
void drawBrowseFolder(QPainter& p) {
    const QColor line(0x8a, 0x5c, 0x00);
    const QPainterPath back = polygon(
        {{0.5, 14.5}, {0.5, 3.5}, {1.5, 2.5}, {4.5, 2.5}, {5.5, 3.5}, {11.5, 3.5}, {11.5, 14.5}});
    p.setPen(outline(line));
    p.setBrush(QColor(0xe8, 0xb4, 0x2c));
    p.drawPath(back);

    // The picture standing in the folder: blue sky over green land.
    const QRectF frame(3.5, 1.5, 10, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(ramp(frame.topLeft(), {frame.left(), frame.bottom()}, QColor(0x4a, 0xa8, 0xff),
                    QColor(0xb4, 0xe0, 0xff)));
    p.drawRect(frame);
    QPainterPath land;
    land.moveTo(3.5, 7.5);
    land.quadTo(7.0, 4.5, 13.5, 6.5);
    land.lineTo(13.5, 10.5);
    land.lineTo(3.5, 10.5);
    land.closeSubpath();
    p.setBrush(QColor(0x2c, 0xa8, 0x2c));
    p.drawPath(land);
    p.setPen(outline(QColor(0x50, 0x50, 0x50)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);

    // The front cover, leaning open.
    const QPainterPath front = polygon({{0.5, 14.5}, {3.0, 8.5}, {15.5, 8.5}, {12.5, 14.5}});
    p.setPen(outline(line));
    p.setBrush(ramp({0, 8.5}, {0, 14.5}, QColor(0xff, 0xec, 0x7a), QColor(0xf4, 0xc0, 0x30)));
    p.drawPath(front);
}

} // namespace

QImage browsePicture() {
    const QImage large = paint(drawBrowseFolder, QSize(kSide * kScale, kSide * kScale),
                               QTransform::fromScale(kScale, kScale));
    return reduce(large, kScale);
}

} // namespace Art
