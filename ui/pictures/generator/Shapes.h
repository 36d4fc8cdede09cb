#pragma once
// Small geometric helpers the drawings share.

#include <QColor>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPointF>
#include <initializer_list>

namespace Art {

// A cog wheel centred on the origin: `teeth` flat-topped teeth reaching out to
// outerRadius from a rim of rootRadius; each tooth takes toothShare of its
// pitch at the root and narrows towards its top.
QPainterPath cogOutline(double outerRadius, double rootRadius, int teeth, double toothShare);

// A closed outline through the given corners, in order.
QPainterPath polygon(std::initializer_list<QPointF> corners);

QPainterPath circle(QPointF centre, double radius);
QPainterPath ellipse(QPointF centre, double rx, double ry);

// A two-colour gradient along the line from `from` to `to`.
QLinearGradient ramp(QPointF from, QPointF to, const QColor& start, const QColor& end);

// A thin pen of the given colour, round joins, for outlines.
QPen outline(const QColor& colour, double width = 1.0);

} // namespace Art
