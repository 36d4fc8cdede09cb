// The seven pictures a user can choose for the progress window.

#include "Artwork.h"
#include "Shapes.h"

#include <QConicalGradient>
#include <QRadialGradient>
#include <cmath>

namespace Art {

namespace {

// A grey cog lying tilted away from the viewer, so its face is an ellipse and
// its rim shows below it.
void drawGear(QPainter& p) {
    const QTransform tilt = QTransform().translate(16, 13).scale(1.0, 0.62).rotate(8);
    const QPainterPath face = tilt.map(cogOutline(15.5, 12.0, 8, 0.5));
    const QPainterPath hole = tilt.map(circle({0, 0}, 5.6));
    const double depth = 4.2;
    constexpr int kLayers = 20;

    // The rim: the face swept down through the cog's thickness.
    QPainterPath body = face;
    for (int i = 1; i <= kLayers; ++i) body = body.united(face.translated(0, depth * i / kLayers));
    QPainterPath bottomHole = hole.translated(0, depth);
    QPainterPath throughHole = hole.intersected(bottomHole);
    body = body.subtracted(throughHole);

    QLinearGradient side(0, 0, 32, 0);
    side.setColorAt(0.0, QColor(0x8a, 0x8d, 0x92));
    side.setColorAt(0.35, QColor(0x6c, 0x70, 0x76));
    side.setColorAt(1.0, QColor(0x3c, 0x3f, 0x44));
    p.setPen(Qt::NoPen);
    p.setBrush(side);
    p.drawPath(body);

    // The far wall of the hole, seen through it, lies in shadow.
    const QPainterPath innerWall = hole.subtracted(bottomHole);
    p.setBrush(ramp({0, 8}, {0, 16}, QColor(0x45, 0x48, 0x4d), QColor(0x70, 0x74, 0x7a)));
    p.drawPath(innerWall);

    // The face, lit from the upper left.
    const QPainterPath top = face.subtracted(hole);
    QLinearGradient light(4, 2, 26, 24);
    light.setColorAt(0.0, QColor(0xfa, 0xfa, 0xfb));
    light.setColorAt(0.5, QColor(0xc9, 0xcc, 0xd0));
    light.setColorAt(1.0, QColor(0x93, 0x97, 0x9d));
    p.setBrush(light);
    p.drawPath(top);

    // A raised hub ring around the hole.
    const QPainterPath hub = tilt.map(circle({0, 0}, 8.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(QColor(0x80, 0x84, 0x8a, 170), 0.8));
    p.drawPath(hub);
    p.setPen(outline(QColor(255, 255, 255, 190), 0.6));
    p.drawPath(hub.translated(0.4, 0.5));

    p.setPen(outline(QColor(0x3a, 0x3d, 0x42), 0.9));
    p.drawPath(body.united(top));
    p.setPen(outline(QColor(0x5a, 0x5e, 0x64), 0.7));
    p.drawPath(face);
    p.drawPath(hole);
}

void drawArrow(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(1, 10);
    arrow.lineTo(15.5, 10);
    arrow.lineTo(15.5, 2.5);
    arrow.lineTo(30.5, 15.2);
    arrow.quadTo(31.5, 15.5, 30.5, 15.8);
    arrow.lineTo(15.5, 28.5);
    arrow.lineTo(15.5, 21);
    arrow.lineTo(1, 21);
    arrow.closeSubpath();

    QLinearGradient body(0, 2, 0, 29);
    body.setColorAt(0.0, QColor(0x9c, 0xec, 0xff));
    body.setColorAt(0.45, QColor(0x1e, 0xb4, 0xf0));
    body.setColorAt(1.0, QColor(0x05, 0x62, 0xc0));
    p.setPen(outline(QColor(0x06, 0x4a, 0x96), 1.0));
    p.setBrush(body);
    p.drawPath(arrow);

    // A glossy band over the upper half.
    QPainterPath upper;
    upper.addRect(0, 0, 32, 15.3);
    const QPainterPath gloss = arrow.intersected(upper);
    p.setPen(Qt::NoPen);
    p.setBrush(ramp({0, 3}, {0, 15.3}, QColor(255, 255, 255, 150), QColor(255, 255, 255, 30)));
    p.save();
    p.translate(1.2, 1.0);
    p.scale(0.93, 1.0);
    p.drawPath(gloss);
    p.restore();
}

// One half of the scissors: a blade one way from the pivot and a handle ring
// the other way. Angles in degrees, screen orientation (y down).
struct ScissorHalf {
    double bladeAngle;
    double bladeLength;
    double ringDistance;
    double ringRadius;
    bool backOnPositiveSide; // which side of the blade is its back
};

void drawHandle(QPainter& p, QPointF pivot, const ScissorHalf& h) {
    const double a = (h.bladeAngle + 180) * M_PI / 180;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF ring = pivot + dir * h.ringDistance;
    const QPointF ringEdge = ring - dir * h.ringRadius * 0.6;
    const QPainterPath shank = polygon({pivot + normal * 1.2, ringEdge + normal * 1.7,
                                        ringEdge - normal * 1.7, pivot - normal * 1.2});
    QPainterPath grip = shank.united(ellipse(ring, h.ringRadius, h.ringRadius * 0.9));
    grip = grip.subtracted(ellipse(ring, h.ringRadius * 0.56, h.ringRadius * 0.48));

    QLinearGradient plastic(ring - normal * h.ringRadius - QPointF(0, h.ringRadius),
                            ring + normal * h.ringRadius + QPointF(0, h.ringRadius));
    plastic.setColorAt(0.0, QColor(0xff, 0xc8, 0x6a));
    plastic.setColorAt(0.5, QColor(0xfb, 0x8c, 0x1a));
    plastic.setColorAt(1.0, QColor(0xc8, 0x5a, 0x05));
    p.setPen(outline(QColor(0x8a, 0x3c, 0x02), 0.9));
    p.setBrush(plastic);
    p.drawPath(grip);
    // A highlight along the upper inside of the ring.
    p.setPen(outline(QColor(255, 240, 200, 170), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(ring.x() - h.ringRadius * 0.78, ring.y() - h.ringRadius * 0.72,
                     h.ringRadius * 1.56, h.ringRadius * 1.44),
              100 * 16, 110 * 16);
}

void drawBlade(QPainter& p, QPointF pivot, const ScissorHalf& h) {
    p.save();
    p.translate(pivot);
    p.rotate(h.bladeAngle);
    const double side = h.backOnPositiveSide ? 1 : -1;
    const double L = h.bladeLength;
    QPainterPath blade;
    blade.moveTo(-2.0, -1.2 * side);
    blade.lineTo(L, 0);
    blade.cubicTo(L * 0.75, 2.0 * side, L * 0.3, 3.6 * side, -2.0, 3.0 * side);
    blade.closeSubpath();
    QLinearGradient steel(0, -1.2 * side, 0, 2.8 * side);
    steel.setColorAt(0.0, QColor(0x8e, 0x97, 0xa2));
    steel.setColorAt(0.35, QColor(0xf6, 0xf8, 0xfa));
    steel.setColorAt(0.7, QColor(0xc9, 0xcf, 0xd6));
    steel.setColorAt(1.0, QColor(0x9c, 0xa4, 0xae));
    p.setPen(outline(QColor(0x4c, 0x55, 0x60), 0.8));
    p.setBrush(steel);
    p.drawPath(blade);
    p.restore();
}

void drawScissors(QPainter& p) {
    const QPointF pivot(15, 14);
    const ScissorHalf lower{-16, 17.5, 9.8, 4.8, true};
    const ScissorHalf upper{-74, 12.5, 9.8, 4.6, false};
    drawHandle(p, pivot, upper);
    drawBlade(p, pivot, upper);
    drawHandle(p, pivot, lower);
    drawBlade(p, pivot, lower);
    // The pivot screw.
    QRadialGradient screw(pivot - QPointF(0.5, 0.5), 2.0);
    screw.setColorAt(0, QColor(0xff, 0xff, 0xff));
    screw.setColorAt(1, QColor(0x7a, 0x82, 0x8c));
    p.setPen(outline(QColor(0x3c, 0x44, 0x4e), 0.7));
    p.setBrush(screw);
    p.drawEllipse(pivot, 1.6, 1.6);
}

void drawFolder(QPainter& p) {
    const QColor line(0x94, 0x74, 0x2a);
    QPainterPath back;
    back.moveTo(0.5, 3.0);
    back.quadTo(0.5, 1.5, 2.0, 1.5);
    back.lineTo(10.0, 1.5);
    back.lineTo(12.5, 4.5);
    back.lineTo(25.0, 4.5);
    back.quadTo(26.5, 4.5, 26.5, 6.0);
    back.lineTo(26.5, 31.5);
    back.lineTo(0.5, 31.5);
    back.closeSubpath();
    p.setPen(outline(line));
    p.setBrush(ramp({0, 1}, {0, 31}, QColor(0xf1, 0xd9, 0x8c), QColor(0xcf, 0xaa, 0x52)));
    p.drawPath(back);

    // A sheet of paper inside, with a few lines of writing.
    QPainterPath sheet;
    sheet.addRect(QRectF(3.5, 7.5, 20, 14));
    p.setPen(outline(QColor(0x9a, 0x9a, 0x9a)));
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawPath(sheet);
    p.setPen(outline(QColor(0xb8, 0xc4, 0xd4), 1.0));
    for (double y = 10.5; y < 15; y += 2.5) p.drawLine(QPointF(6, y), QPointF(21, y));

    // The front cover, swung open towards the viewer.
    QPainterPath front;
    front.moveTo(0.5, 31.5);
    front.lineTo(5.0, 13.5);
    front.quadTo(5.5, 12.5, 6.5, 12.5);
    front.lineTo(31.5, 12.5);
    front.lineTo(26.5, 31.5);
    front.closeSubpath();
    QLinearGradient cover(0, 12, 0, 31);
    cover.setColorAt(0.0, QColor(0xff, 0xf7, 0xd2));
    cover.setColorAt(0.5, QColor(0xfb, 0xe6, 0xa0));
    cover.setColorAt(1.0, QColor(0xee, 0xcf, 0x7e));
    p.setPen(outline(line));
    p.setBrush(cover);
    p.drawPath(front);
    // Light catches the front cover's upper edge.
    p.setPen(outline(QColor(255, 255, 255, 200), 0.8));
    p.drawLine(QPointF(6.5, 13.6), QPointF(30.0, 13.6));
}

void drawFiles(QPainter& p) {
    const QColor edge(0x86, 0x8a, 0x90);
    auto sheet = [&](QRectF r, QColor light, QColor dark) {
        p.setPen(outline(edge));
        p.setBrush(ramp(r.topLeft(), r.bottomRight(), light, dark));
        p.drawRect(r);
    };
    sheet(QRectF(11.5, 0.5, 16, 24), QColor(0xee, 0xef, 0xf1), QColor(0xc4, 0xc7, 0xcc));
    sheet(QRectF(8.5, 3.5, 16, 25), QColor(0xf6, 0xf7, 0xf8), QColor(0xd2, 0xd5, 0xd9));

    // The front sheet, its upper-left corner rolled back along a diagonal.
    const QPointF curlStart(5.5, 17.5); // on the left edge
    const QPointF curlEnd(15.5, 6.5);   // on the top edge
    const QPainterPath front = polygon({curlEnd, {21.5, 6.5}, {21.5, 31.5}, {5.5, 31.5}, curlStart});
    p.setPen(outline(edge));
    p.setBrush(ramp({5, 6}, {22, 32}, QColor(0xff, 0xff, 0xff), QColor(0xe2, 0xe4, 0xe7)));
    p.drawPath(front);

    p.setPen(outline(QColor(0xc6, 0xcb, 0xd2), 1.0));
    for (double y = 20.5; y < 30; y += 2.5) p.drawLine(QPointF(8, y), QPointF(19, y));
    p.drawLine(QPointF(11.5, 15.5), QPointF(19, 15.5));
    p.drawLine(QPointF(15.5, 10.5), QPointF(19, 10.5));

    // The roll: a thin cylinder lying along the diagonal, lit on its crest,
    // casting a soft shadow onto the sheet below it.
    const QPointF along = curlEnd - curlStart;
    const QPointF normal = QPointF(along.y(), -along.x()) / std::hypot(along.x(), along.y());
    const QPointF middle = (curlStart + curlEnd) / 2;
    p.setPen(outline(QColor(0, 0, 0, 45), 1.6));
    p.drawLine(curlStart - normal * 0.9 + along * 0.06, curlEnd - normal * 0.9 - along * 0.06);
    QPainterPath roll;
    roll.moveTo(curlStart);
    roll.lineTo(curlEnd);
    roll.quadTo(middle + normal * 6.0, curlStart);
    roll.closeSubpath();
    QLinearGradient shade(middle, middle + normal * 3.0);
    shade.setColorAt(0.0, QColor(0x98, 0x9e, 0xa8));
    shade.setColorAt(0.55, QColor(0xff, 0xff, 0xff));
    shade.setColorAt(1.0, QColor(0xc4, 0xc9, 0xd0));
    p.setPen(outline(edge, 0.9));
    p.setBrush(shade);
    p.drawPath(roll);
}

void drawDisc(QPainter& p) {
    const QPointF c(16, 16);
    const double rx = 15.6;
    const double ry = 10.4;
    const QPainterPath disc = ellipse(c, rx, ry);
    const QPainterPath hole = ellipse(c, rx * 0.11, ry * 0.11);

    // The disc's edge, seen below its face.
    p.setPen(outline(QColor(0x5a, 0x60, 0x6a), 0.8));
    p.setBrush(QColor(0x9a, 0xa0, 0xaa));
    p.drawPath(disc.translated(0, 1.1).subtracted(hole.translated(0, 1.1)));

    const QPainterPath face = disc.subtracted(hole);
    QRadialGradient silver(c, rx);
    silver.setColorAt(0.0, QColor(0xf4, 0xf5, 0xf8));
    silver.setColorAt(0.7, QColor(0xd5, 0xd9, 0xe0));
    silver.setColorAt(1.0, QColor(0xb4, 0xba, 0xc4));
    p.setPen(Qt::NoPen);
    p.setBrush(silver);
    p.drawPath(face);

    // Two opposite fans of spectral colour, drawn on the unsquashed disc so the
    // fans spread evenly, then squashed with it.
    p.save();
    p.setClipPath(face);
    p.translate(c);
    p.scale(1.0, ry / rx);
    QConicalGradient rainbow(QPointF(0, 0), 0);
    const QColor spectrum[] = {QColor(255, 60, 60),  QColor(255, 170, 40), QColor(250, 240, 60),
                               QColor(70, 220, 90),  QColor(50, 200, 240), QColor(70, 90, 255),
                               QColor(190, 80, 240)};
    auto fan = [&](double from, double to) {
        rainbow.setColorAt(from - 0.02, QColor(255, 255, 255, 0));
        for (int i = 0; i < 7; ++i) {
            QColor col = spectrum[i];
            col.setAlpha(200);
            rainbow.setColorAt(from + (to - from) * i / 6.0, col);
        }
        rainbow.setColorAt(to + 0.02, QColor(255, 255, 255, 0));
    };
    rainbow.setColorAt(0.0, QColor(255, 255, 255, 0));
    fan(0.06, 0.22);
    fan(0.56, 0.72);
    rainbow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(rainbow);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    // A soft white glint across the middle.
    QConicalGradient glint(QPointF(0, 0), 0);
    glint.setColorAt(0.0, QColor(255, 255, 255, 0));
    glint.setColorAt(0.36, QColor(255, 255, 255, 0));
    glint.setColorAt(0.40, QColor(255, 255, 255, 200));
    glint.setColorAt(0.44, QColor(255, 255, 255, 0));
    glint.setColorAt(0.86, QColor(255, 255, 255, 0));
    glint.setColorAt(0.90, QColor(255, 255, 255, 200));
    glint.setColorAt(0.94, QColor(255, 255, 255, 0));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(glint);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();

    // The clear hub around the hole.
    const QPainterPath hub = ellipse(c, rx * 0.32, ry * 0.32).subtracted(hole);
    p.setPen(outline(QColor(0x8a, 0x92, 0x9e), 0.6));
    p.setBrush(QColor(0xe8, 0xee, 0xf4, 235));
    p.drawPath(hub);
    p.setBrush(Qt::NoBrush);
    p.drawPath(ellipse(c, rx * 0.2, ry * 0.2));
    p.setPen(outline(QColor(0x60, 0x66, 0x70), 0.7));
    p.drawPath(hole);
    p.setPen(outline(QColor(0x6c, 0x73, 0x7e), 0.8));
    p.drawPath(disc);
}

void drawMonitor(QPainter& p) {
    const QColor edge(0x74, 0x79, 0x82);
    // The foot and the neck.
    QPainterPath foot;
    foot.moveTo(9.5, 31.5);
    foot.lineTo(11.0, 28.0);
    foot.quadTo(11.5, 27.5, 12.5, 27.5);
    foot.lineTo(20.5, 27.5);
    foot.quadTo(21.5, 27.5, 22.0, 28.0);
    foot.lineTo(23.5, 31.5);
    foot.closeSubpath();
    p.setPen(outline(edge));
    p.setBrush(ramp({0, 27}, {0, 32}, QColor(0xfb, 0xfb, 0xfc), QColor(0xc4, 0xc8, 0xce)));
    p.drawPath(foot);
    p.setBrush(ramp({14, 0}, {19, 0}, QColor(0xd8, 0xdb, 0xdf), QColor(0x9a, 0x9f, 0xa7)));
    p.drawRect(QRectF(14.5, 22.5, 4, 5));

    // The white case.
    p.setBrush(ramp({0, 0}, {0, 24}, QColor(0xff, 0xff, 0xff), QColor(0xd6, 0xda, 0xdf)));
    p.drawRoundedRect(QRectF(3.5, 0.5, 26, 23), 1.6, 1.6);

    // The screen, lit blue, with a reflection across its upper left.
    const QRectF screen(5.5, 2.5, 22, 16);
    QLinearGradient blue(screen.topLeft(), screen.bottomRight());
    blue.setColorAt(0.0, QColor(0x5c, 0xb4, 0xff));
    blue.setColorAt(0.55, QColor(0x1c, 0x6e, 0xe0));
    blue.setColorAt(1.0, QColor(0x0a, 0x3c, 0xa8));
    p.setPen(outline(QColor(0x3a, 0x46, 0x5c)));
    p.setBrush(blue);
    p.drawRect(screen);
    const QPainterPath shine = polygon({{6, 3}, {20, 3}, {6, 13}});
    p.setPen(Qt::NoPen);
    p.setBrush(ramp({6, 3}, {13, 10}, QColor(255, 255, 255, 110), QColor(255, 255, 255, 10)));
    p.drawPath(shine);

    // A power light on the chin of the case.
    p.setBrush(QColor(0x2e, 0xc0, 0x4a));
    p.drawEllipse(QPointF(26.5, 21.0), 0.8, 0.8);
}

} // namespace

std::vector<IconArt> builtinIcons() {
    return {
        {"gear", drawGear, QRect(0, 2, 32, 29), true},
        {"arrow", drawArrow, QRect(0, 2, 32, 27), true},
        {"scissors", drawScissors, QRect(0, 3, 32, 24), true},
        {"folder", drawFolder, QRect(0, 1, 32, 31), false},
        {"files", drawFiles, QRect(5, 0, 23, 32), false},
        {"cd", drawDisc, QRect(0, 5, 32, 23), true},
        {"monitor", drawMonitor, QRect(3, 0, 27, 32), false},
    };
}

} // namespace Art
