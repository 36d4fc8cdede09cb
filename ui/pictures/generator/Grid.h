#pragma once
// Hinting: a drawing is designed on a 32-unit square and placed on a square of
// `side` pixels. Edges that should be sharp go through whole pixels (px), rims
// are whole pixels wide (rim), and only curves and slants keep fractions.

#include "Canvas.h"

#include <QPainterPath>
#include <QRectF>
#include <cmath>
#include <functional>

namespace Art {

constexpr int kDesignSide = 32;

struct Grid {
    int side;

    double scale() const { return side / double(kDesignSide); }
    // A length or position in design units, unhinted.
    double at(double units) const { return units * scale(); }
    // The same, on the nearest pixel edge.
    int px(double units) const { return int(std::lround(units * scale())); }
    // The width of an outline: one pixel at 32, two at 64, growing slowly above.
    int rim() const { return std::max(1, int(std::lround(side / 40.0))); }
};

using CanvasDrawing = std::function<void(Canvas&, const Grid&)>;

inline QPainterPath rect(double x, double y, double w, double h) {
    QPainterPath p;
    p.addRect(QRectF(x, y, w, h));
    return p;
}

} // namespace Art
