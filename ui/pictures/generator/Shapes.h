#pragma once
// Geometry the drawings share. Everything is in design units (a 32-unit
// square); whole units are whole pixels at 32 and at 64 pixels.

#include "Canvas.h"

#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <initializer_list>

namespace Art {

QPainterPath polygon(std::initializer_list<QPointF> corners);
QPainterPath rectangle(double left, double top, double right, double bottom);
QPainterPath roundedRectangle(double left, double top, double right, double bottom, double radius);
QPainterPath ellipse(QPointF centre, double rx, double ry);
inline QPainterPath circle(QPointF centre, double radius) {
    return ellipse(centre, radius, radius);
}

// A cog wheel seen straight on: a round body with `teeth` straight-sided teeth
// of the given width reaching out to `reach`, the first pointing right. With
// the centre on a pixel corner and teeth a multiple of four, every tooth falls
// on the pixel grid the same way.
QPainterPath cog(QPointF centre, double bodyRadius, double reach, double toothWidth, int teeth);

// The band of the given width just inside the outline of a shape: its rim.
QPainterPath innerRim(const QPainterPath& shape, double width);

// Everything the shape passes through when moved straight down by `depth`: a
// solid seen slightly from above, whose face is the shape.
QPainterPath sweptDown(const QPainterPath& shape, double depth);

// A canvas that takes design units and paints on another canvas `scale`
// pixels per unit.
class ScaledCanvas final : public Canvas {
public:
    ScaledCanvas(Canvas& target, double scale) : target_(target), scale_(scale) {}
    using Canvas::fill;
    void fill(const QPainterPath& outline, const Paint& paint) override;

private:
    Canvas& target_;
    double scale_;
};

} // namespace Art
