// The icons of the two windows.

#include "Artwork.h"
#include "Shapes.h"

#include <QRadialGradient>

namespace Art {

namespace {

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

IconArt documentIcon() { return {"document", {}, QRect(5, 0, 22, 32), false, drawDocument}; }

IconArt optionsIcon() { return {"options", drawOptionsCog, QRect(0, 0, 32, 32), true}; }

} // namespace Art
