// The icons of the two windows.

#include "Artwork.h"
#include "Shapes.h"

#include <QRadialGradient>

namespace Art {

namespace {

// A white page whose upper-right corner is folded down towards the viewer,
// showing the blue back of the paper.
void drawDocument(QPainter& p) {
    const double left = 5.5, right = 26.5, top = 0.5, bottom = 31.5;
    const double fold = 8.0; // how far the corner is turned over
    const QPainterPath page =
        polygon({{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}});
    p.setPen(outline(QColor(0x7e, 0x84, 0x8c)));
    p.setBrush(ramp({left, top}, {right, bottom}, QColor(0xff, 0xff, 0xff), QColor(0xdd, 0xe1, 0xe6)));
    p.drawPath(page);

    p.setPen(outline(QColor(0xbf, 0xc6, 0xd0), 1.0));
    for (double y = 12.5; y < 29; y += 3) p.drawLine(QPointF(9, y), QPointF(23, y));
    p.drawLine(QPointF(9, 9.5), QPointF(16, 9.5));
    p.drawLine(QPointF(9, 6.5), QPointF(16, 6.5));

    // The shadow the flap casts on the page, then the flap itself.
    const QPainterPath shadow =
        polygon({{right - fold, top}, {right - fold + 0.2, top + fold + 1.2}, {right, top + fold}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPath(shadow);

    QPainterPath flap;
    flap.moveTo(right - fold, top);
    flap.lineTo(right - fold, top + fold - 0.5);
    flap.quadTo(right - fold, top + fold, right - fold + 0.5, top + fold);
    flap.lineTo(right, top + fold);
    flap.closeSubpath();
    QLinearGradient blue(right - fold, top + fold, right - fold / 2, top + fold / 2);
    blue.setColorAt(0.0, QColor(0x1c, 0x52, 0xc4));
    blue.setColorAt(1.0, QColor(0x6c, 0xb2, 0xff));
    p.setPen(outline(QColor(0x12, 0x3c, 0x8e)));
    p.setBrush(blue);
    p.drawPath(flap);
}

// A lavender-grey cog seen straight on, with a dark hole through its middle.
void drawOptionsCog(QPainter& p) {
    p.translate(16, 16);
    p.rotate(11.25);
    const QPainterPath cog = cogOutline(15.5, 11.8, 8, 0.5);
    const QPainterPath hole = circle({0, 0}, 5.0);

    QLinearGradient body(-12, -14, 12, 14);
    body.setColorAt(0.0, QColor(0xe2, 0xdf, 0xf2));
    body.setColorAt(0.5, QColor(0xb0, 0xaa, 0xd0));
    body.setColorAt(1.0, QColor(0x7c, 0x75, 0xa4));
    p.setPen(outline(QColor(0x4e, 0x48, 0x72), 1.0));
    p.setBrush(body);
    p.drawPath(cog.subtracted(hole));

    // A bevelled ring halfway out: light on its upper left, shade on its lower right.
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(QColor(0x6e, 0x68, 0x94, 160), 0.9));
    p.drawEllipse(QPointF(0.3, 0.3), 8.6, 8.6);
    p.setPen(outline(QColor(255, 255, 255, 150), 0.8));
    p.drawEllipse(QPointF(-0.3, -0.3), 8.6, 8.6);

    QRadialGradient dark(QPointF(1.2, 1.2), 5.5);
    dark.setColorAt(0.0, QColor(0x4a, 0x45, 0x62));
    dark.setColorAt(1.0, QColor(0x16, 0x14, 0x22));
    p.setPen(outline(QColor(0x2a, 0x26, 0x3c), 1.0));
    p.setBrush(dark);
    p.drawPath(hole);
}

} // namespace

IconArt documentIcon() { return {"document", drawDocument, QRect(5, 0, 22, 32), false}; }

IconArt optionsIcon() { return {"options", drawOptionsCog, QRect(0, 0, 32, 32), true}; }

} // namespace Art
