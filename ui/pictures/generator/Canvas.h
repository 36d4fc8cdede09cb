#pragma once
// What a drawing paints on: filled outlines only. Lines and rims are drawn as
// thin filled shapes placed on whole pixels, which is what keeps small icons
// crisp, and which lets the same drawing go to pixels or to an SVG file.

#include <QPainterPath>
#include <QPointF>
#include <QRgb>
#include <vector>

namespace Art {

// A colour at a position along a gradient, 0 at its start and 1 at its end.
struct Stop {
    double at;
    QRgb colour; // straight (not premultiplied) ARGB
};

// A solid colour, or a gradient along the line from `from` to `to`, or a
// radial one from the centre `from` out to the radius |to - from|.
struct Paint {
    enum class Kind { Solid, Linear, Radial };
    Kind kind = Kind::Solid;
    QPointF from, to;
    std::vector<Stop> stops;

    static Paint solid(QRgb colour) { return {Kind::Solid, {}, {}, {{0, colour}}}; }
    static Paint linear(QPointF from, QPointF to, std::vector<Stop> stops) {
        return {Kind::Linear, from, to, std::move(stops)};
    }
    static Paint radial(QPointF centre, double radius, std::vector<Stop> stops) {
        return {Kind::Radial, centre, centre + QPointF(radius, 0), std::move(stops)};
    }
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Paints the inside of the outline (by its own fill rule) over what is there.
    virtual void fill(const QPainterPath& outline, const Paint& paint) = 0;

    void fill(const QPainterPath& outline, QRgb colour) { fill(outline, Paint::solid(colour)); }
};

} // namespace Art
