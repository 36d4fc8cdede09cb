// Gear, arrow and scissors, in design units on the 32-unit square.

#include "BuiltinDrawings.h"
#include "Shapes.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

namespace Art {

namespace {

// A steel grey, a touch blue.
QRgb grey(int v, int alpha = 255) {
    return qRgba(v, v, std::min(255, v + 4), alpha);
}

} // namespace

// A steel cog lying tilted away from the viewer: its face an ellipse, its
// thickness showing below, and a hole right through it.
void drawGear(Canvas& c) {
    constexpr double kDepth = 4;
    constexpr double kTop = 2, kBottom = 31;
    const double squash = (kBottom - kTop - kDepth) / 32;
    const QPointF centre(16, kTop + 16 * squash);
    const QTransform tilt = QTransform().translate(centre.x(), centre.y()).scale(1, squash);
    const QPainterPath face = tilt.map(cog({0, 0}, 12.5, 16, 6, 8));
    const QPainterPath hole = tilt.map(circle({0, 0}, 6));
    const QPainterPath throughHole = hole.intersected(hole.translated(0, kDepth));
    const QPainterPath body = sweptDown(face, kDepth).subtracted(throughHole);
    const QPainterPath side = body.subtracted(face);

    c.fill(body,
           Paint::linear({0, 0}, {32, 0}, {{0, grey(0x86)}, {0.5, grey(0x6a)}, {1, grey(0x4c)}}));
    // Where the hole's far wall shows above the opening, it is in shadow.
    c.fill(hole.subtracted(throughHole), Paint::linear({0, centre.y() - 5}, {0, centre.y() + 1},
                                                       {{0, grey(0x3e)}, {1, grey(0x6c)}}));
    // The face, lit from the upper left, set off from the darker side by
    // colour alone: an outline there would double the rim at 32 pixels.
    c.fill(face.subtracted(hole),
           Paint::linear({4, 2}, {26, 26}, {{0, grey(0xff)}, {0.5, grey(0xdc)}, {1, grey(0xae)}}));
    c.fill(tilt.map(circle({0, 0}, 7)).subtracted(hole), grey(0x6a));
    // A light edge along the foot keeps the cog's outline on dark backgrounds.
    c.fill(innerRim(body, 2).intersected(side).subtracted(innerRim(body, 1)), grey(0xb4));
    c.fill(innerRim(body, 1), grey(0x34));
}

// A fat arrow pointing right. Its slants run at 45 degrees through pixel
// corners, so every step of them is the same half-covered pixel.
void drawArrow(Canvas& c) {
    const QPainterPath arrow =
        polygon({{0, 9}, {20, 9}, {20, 2}, {32, 14}, {32, 17}, {20, 29}, {20, 22}, {0, 22}});
    c.fill(arrow, Paint::linear({0, 2}, {0, 29},
                                {{0, qRgb(0x8e, 0xdc, 0xff)},
                                 {0.5, qRgb(0x1e, 0xa0, 0xf2)},
                                 {1, qRgb(0x0a, 0x5a, 0xc2)}}));
    // One crisp highlight inside the upper edges instead of a glossy band.
    const QPainterPath upper = rectangle(0, 0, 32, 15);
    c.fill(innerRim(arrow, 2).subtracted(innerRim(arrow, 1)).intersected(upper),
           qRgba(255, 255, 255, 170));
    c.fill(innerRim(arrow, 1), qRgb(0x0b, 0x47, 0x98));
}

namespace {

// One half of the scissors: a handle ring on one side of the pivot and a blade
// on the other, along one straight line.
void drawScissorHalf(Canvas& c, QPointF pivot, QPointF ring, QPointF tip) {
    const QPointF along = (tip - pivot) / std::hypot(tip.x() - pivot.x(), tip.y() - pivot.y());
    // Across the blade towards its back, which faces away from the other blade.
    const double outwards = tip.y() < pivot.y() ? -1 : 1;
    const QPointF across = QPointF(-along.y(), along.x()) * outwards;

    const QPainterPath shank = polygon(
        {ring + across * 1.6, pivot + across * 1.6, pivot - across * 1.6, ring - across * 1.6});
    const QPainterPath grip = circle(ring, 5.5).united(shank).subtracted(circle(ring, 2.7));
    c.fill(grip, Paint::linear(ring - QPointF(4, 4), ring + QPointF(4, 4),
                               {{0, qRgb(0xff, 0x9a, 0x3c)}, {1, qRgb(0xd8, 0x4a, 0x0a)}}));
    c.fill(innerRim(grip, 1), qRgb(0x7c, 0x26, 0x02));

    // The blade: broad at the pivot, its back bowed, its edge straight,
    // narrowing to the tip; dark steel on the outside so it holds on light
    // grounds.
    const double length = std::hypot(tip.x() - pivot.x(), tip.y() - pivot.y());
    const QPainterPath blade =
        polygon({pivot - along * 2.5 + across * 3.4, pivot + along * (0.55 * length) + across * 2.7,
                 tip + across * 0.8, tip - across * 0.6, pivot - along * 2.5 - across * 1.6});
    c.fill(blade, Paint::linear(pivot + across * 3.4, pivot - across * 1.6,
                                {{0, qRgb(0xfa, 0xfc, 0xfd)},
                                 {0.45, qRgb(0xc2, 0xcb, 0xd6)},
                                 {1, qRgb(0x6c, 0x77, 0x86)}}));
    c.fill(innerRim(blade, 1), qRgb(0x26, 0x2d, 0x38));
}

} // namespace

// Open scissors lying on their side: orange rings on the left, blades opening
// to the right.
void drawScissors(Canvas& c) {
    const QPointF pivot(18, 15);
    const QPointF upperRing(5.5, 8.5), lowerRing(5.5, 21.5);
    // Each blade continues the line from its ring through the pivot.
    auto tipFrom = [&](QPointF ring) {
        const QPointF d = pivot - ring;
        return pivot + d * ((31.6 - pivot.x()) / d.x());
    };
    drawScissorHalf(c, pivot, upperRing, tipFrom(upperRing));
    drawScissorHalf(c, pivot, lowerRing, tipFrom(lowerRing));
    const QPainterPath screw = circle(pivot, 1.8);
    c.fill(screw, Paint::radial(pivot - QPointF(0.6, 0.6), 2.2,
                                {{0, qRgb(0xff, 0xff, 0xff)}, {1, qRgb(0x7a, 0x82, 0x8c)}}));
    c.fill(innerRim(screw, 0.8), qRgb(0x2e, 0x34, 0x3c));
}

} // namespace Art
