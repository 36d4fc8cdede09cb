// Folder, files, disc and monitor, in design units on the 32-unit square.

#include "BuiltinDrawings.h"
#include "Shapes.h"

namespace Art {

namespace {

constexpr QRgb kFolderRim = qRgb(0x8a, 0x64, 0x16);
constexpr QRgb kPaperRim = qRgb(0x5c, 0x66, 0x74);
constexpr QRgb kWriting = qRgb(0x96, 0xa5, 0xba);

void framed(Canvas& c, const QPainterPath& shape, const Paint& paint, QRgb rim) {
    c.fill(shape, paint);
    c.fill(innerRim(shape, 1), rim);
}

Paint paper(double left, double top, double right, double bottom) {
    return Paint::linear(
        {left, top}, {right, bottom},
        {{0, qRgb(0xff, 0xff, 0xff)}, {0.5, qRgb(0xf7, 0xf9, 0xfb)}, {1, qRgb(0xdc, 0xe2, 0xea)}});
}

void writingLine(Canvas& c, double left, double right, double y) {
    c.fill(rectangle(left, y, right, y + 1), kWriting);
}

} // namespace

// An open manila folder with a sheet of paper in it. Its slants are 1:1 or
// 1:4, so their steps repeat evenly.
void drawFolder(Canvas& c) {
    framed(
        c, polygon({{0, 2}, {1, 1}, {10, 1}, {13, 4}, {26, 4}, {27, 5}, {27, 32}, {0, 32}}),
        Paint::linear({0, 1}, {0, 32}, {{0, qRgb(0xf2, 0xd6, 0x8c)}, {1, qRgb(0xcc, 0x9e, 0x42)}}),
        kFolderRim);
    framed(c, rectangle(3, 7, 24, 22), Paint::solid(qRgb(0xff, 0xff, 0xff)), kPaperRim);
    writingLine(c, 6, 21, 9);
    writingLine(c, 6, 17, 11);

    const QPainterPath front = polygon({{0, 32}, {4.75, 13}, {32, 13}, {27.25, 32}});
    framed(c, front,
           Paint::linear({0, 13}, {0, 32},
                         {{0, qRgb(0xff, 0xf4, 0xc8)},
                          {0.5, qRgb(0xf8, 0xdc, 0x88)},
                          {1, qRgb(0xe8, 0xbe, 0x5c)}}),
           kFolderRim);
    c.fill(innerRim(front, 2).subtracted(innerRim(front, 1)).intersected(rectangle(0, 13, 32, 15)),
           qRgba(255, 255, 255, 210));
}

// Three sheets of paper in a stack, the front one with a corner turned down.
void drawFiles(Canvas& c) {
    // Corners rounded as on the progress window's page.
    framed(c, roundedRectangle(12, 0, 28, 24, 1.5), paper(12, 0, 28, 24), kPaperRim);
    framed(c, roundedRectangle(9, 4, 25, 28, 1.5), paper(9, 4, 25, 28), kPaperRim);
    framed(c, polygon({{10, 8}, {21, 8}, {21, 32}, {5, 32}, {5, 13}}), paper(5, 8, 21, 32),
           kPaperRim);
    writingLine(c, 12, 18, 11);
    for (double y = 14; y <= 26; y += 3)
        writingLine(c, 8, 18, y);
    // The turned corner, its back a shade darker than the page.
    framed(
        c, polygon({{10, 8}, {10, 13}, {5, 13}}),
        Paint::linear({5, 13}, {10, 8}, {{0, qRgb(0xc8, 0xd0, 0xda)}, {1, qRgb(0xf2, 0xf5, 0xf8)}}),
        kPaperRim);
}

// A compact disc lying tilted away: a pale, softly iridescent face, a clear
// hub, a hole right through, and its edge below the face.
void drawDisc(Canvas& c) {
    const QPointF centre(16, 16);
    const QPainterPath face = ellipse(centre, 16, 11);
    const QPainterPath hole = ellipse(centre, 2.6, 1.9);
    const QPainterPath throughHole = hole.intersected(hole.translated(0, 1));
    const QPainterPath body = sweptDown(face, 1).subtracted(throughHole);

    c.fill(body, qRgb(0x9c, 0xa3, 0xae));
    c.fill(face.subtracted(hole), Paint::linear({2, 6}, {30, 26},
                                                {{0, qRgb(0xd8, 0xdf, 0xea)},
                                                 {0.18, qRgb(0xcf, 0xe4, 0xff)},
                                                 {0.33, qRgb(0xe6, 0xd9, 0xff)},
                                                 {0.47, qRgb(0xfc, 0xfd, 0xff)},
                                                 {0.6, qRgb(0xff, 0xe4, 0xcf)},
                                                 {0.76, qRgb(0xd8, 0xf4, 0xe0)},
                                                 {1, qRgb(0xc4, 0xcc, 0xd8)}}));
    const QPainterPath hub = ellipse(centre, 5.5, 3.8).subtracted(hole);
    c.fill(hub, qRgba(0xee, 0xf2, 0xf7, 235));
    c.fill(innerRim(hub, 0.8), qRgb(0x9a, 0xa3, 0xb0));
    c.fill(innerRim(face.subtracted(hole), 1), qRgb(0x7c, 0x85, 0x92));
    c.fill(innerRim(body, 1), qRgb(0x4e, 0x56, 0x62));
}

// A white monitor with a lit blue screen on a short stand.
void drawMonitor(Canvas& c) {
    const QRgb rim = qRgb(0x5a, 0x62, 0x70);
    framed(
        c, polygon({{9, 32}, {11, 28}, {22, 28}, {24, 32}}),
        Paint::linear({0, 28}, {0, 32}, {{0, qRgb(0xfb, 0xfb, 0xfc)}, {1, qRgb(0xbc, 0xc2, 0xca)}}),
        rim);
    framed(
        c, rectangle(14, 23, 19, 29),
        Paint::linear({14, 0}, {19, 0}, {{0, qRgb(0xd8, 0xdc, 0xe0)}, {1, qRgb(0x96, 0x9c, 0xa6)}}),
        rim);
    framed(
        c, roundedRectangle(3, 0, 30, 24, 2),
        Paint::linear({0, 0}, {0, 24}, {{0, qRgb(0xff, 0xff, 0xff)}, {1, qRgb(0xd2, 0xd8, 0xdf)}}),
        rim);

    framed(c, rectangle(6, 3, 27, 19),
           Paint::linear({6, 3}, {27, 19},
                         {{0, qRgb(0x66, 0xbc, 0xff)},
                          {0.55, qRgb(0x1c, 0x6c, 0xe0)},
                          {1, qRgb(0x0a, 0x3a, 0xa4)}}),
           qRgb(0x1c, 0x2c, 0x4c));
    c.fill(polygon({{7, 4}, {19, 4}, {7, 13}}),
           Paint::linear({7, 4}, {12, 9},
                         {{0, qRgba(255, 255, 255, 120)}, {1, qRgba(255, 255, 255, 0)}}));
    c.fill(rectangle(25, 21, 27, 22), qRgb(0x24, 0xb8, 0x40));
}

} // namespace Art
