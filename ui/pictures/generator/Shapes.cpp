#include "Shapes.h"

#include <QPen>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace Art {

QPainterPath cogOutline(double outerRadius, double rootRadius, int teeth, double toothShare) {
    const double pitch = 2 * std::numbers::pi / teeth;
    const double rootHalf = pitch * toothShare / 2;
    // The top of a tooth is narrower than its foot, as on a real cog.
    const double topHalf = rootHalf * 0.72 * rootRadius / outerRadius;
    constexpr int kArcSteps = 8;
    QPolygonF points;
    auto at = [](double r, double a) { return QPointF(r * std::cos(a), r * std::sin(a)); };
    for (int i = 0; i < teeth; ++i) {
        const double mid = i * pitch;
        points << at(rootRadius, mid - rootHalf);
        for (int s = 0; s <= kArcSteps; ++s)
            points << at(outerRadius, mid - topHalf + 2 * topHalf * s / kArcSteps);
        points << at(rootRadius, mid + rootHalf);
        const double gapEnd = mid + pitch - rootHalf;
        for (int s = 1; s < kArcSteps; ++s)
            points << at(rootRadius, mid + rootHalf + (gapEnd - mid - rootHalf) * s / kArcSteps);
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, double radius) { return ellipse(centre, radius, radius); }

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QLinearGradient ramp(QPointF from, QPointF to, const QColor& start, const QColor& end) {
    QLinearGradient g(from, to);
    g.setColorAt(0, start);
    g.setColorAt(1, end);
    return g;
}

QPen outline(const QColor& colour, double width) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace Art
