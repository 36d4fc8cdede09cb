#include "Shapes.h"

#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>

namespace Art {

QPainterPath polygon(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    path.setFillRule(Qt::WindingFill);
    return path;
}

QPainterPath rectangle(double left, double top, double right, double bottom) {
    return polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

QPainterPath roundedRectangle(double left, double top, double right, double bottom, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(left, top), QPointF(right, bottom)), radius, radius);
    path.setFillRule(Qt::WindingFill);
    return path;
}

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    path.setFillRule(Qt::WindingFill);
    return path;
}

QPainterPath cog(QPointF centre, double bodyRadius, double reach, double toothWidth, int teeth) {
    QPainterPath shape = circle(centre, bodyRadius);
    const QPainterPath tooth = rectangle(0, -toothWidth / 2, reach, toothWidth / 2);
    for (int i = 0; i < teeth; ++i) {
        const QTransform turn =
            QTransform().translate(centre.x(), centre.y()).rotate(360.0 * i / teeth);
        shape = shape.united(turn.map(tooth));
    }
    return shape;
}

QPainterPath innerRim(const QPainterPath& shape, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(2 * width);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(8);
    return stroker.createStroke(shape).intersected(shape);
}

namespace {

// The same outline, turned so that its shoelace area is positive: overlapping
// outlines that all turn the same way add up under the non-zero rule.
QPolygonF turnedPositive(const QPolygonF& outline) {
    double twiceArea = 0;
    for (int i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i], b = outline[(i + 1) % outline.size()];
        twiceArea += a.x() * b.y() - b.x() * a.y();
    }
    if (twiceArea >= 0) return outline;
    return QPolygonF(QList<QPointF>(outline.crbegin(), outline.crend()));
}

} // namespace

QPainterPath sweptDown(const QPainterPath& shape, double depth) {
    // The union of the shape at both ends and of the band each edge sweeps.
    QPainterPath swept;
    swept.setFillRule(Qt::WindingFill);
    const QPointF down(0, depth);
    for (const QPolygonF& outline : shape.toFillPolygons()) {
        swept.addPolygon(turnedPositive(outline));
        swept.addPolygon(turnedPositive(outline.translated(down)));
        for (int i = 0; i + 1 < outline.size(); ++i) {
            const QPointF a = outline[i], b = outline[i + 1];
            if (a.x() != b.x()) swept.addPolygon(turnedPositive({a, b, b + down, a + down}));
        }
    }
    return swept.simplified();
}

void ScaledCanvas::fill(const QPainterPath& outline, const Paint& paint) {
    const QTransform scale = QTransform::fromScale(scale_, scale_);
    QPainterPath scaled = scale.map(outline);
    scaled.setFillRule(outline.fillRule());
    Paint mapped = paint;
    mapped.from = scale.map(paint.from);
    mapped.to = scale.map(paint.to);
    target_.fill(scaled, mapped);
}

} // namespace Art
