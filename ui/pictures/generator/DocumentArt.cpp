// The progress window's icon: a white page with its upper right corner turned
// down towards the viewer, showing the blue back of the paper.

#include "Artwork.h"
#include "Shapes.h"

#include <cmath>

namespace Art {

namespace {

constexpr QRgb kRim = qRgb(0x55, 0x5f, 0x6e);
constexpr QRgb kPaperLight = qRgb(0xff, 0xff, 0xff);
constexpr QRgb kPaperShade = qRgb(0xe2, 0xe7, 0xee);
constexpr QRgb kWriting = qRgb(0xa4, 0xb1, 0xc4);
constexpr QRgb kFlapRim = qRgb(0x1b, 0x40, 0x96);
constexpr QRgb kFlapDeep = qRgb(0x25, 0x5f, 0xd6);
constexpr QRgb kFlapLight = qRgb(0x94, 0xcb, 0xff);

// The page's outline: a rectangle with softly rounded corners, except the
// upper right one, which is cut off by the fold along a 45-degree line.
QPainterPath pageOutline(double left, double top, double right, double bottom, double fold,
                         double radius) {
    QPainterPath p;
    p.moveTo(left, top + radius);
    p.quadTo(left, top, left + radius, top);
    p.lineTo(right - fold, top);
    p.lineTo(right, top + fold);
    p.lineTo(right, bottom - radius);
    p.quadTo(right, bottom, right - radius, bottom);
    p.lineTo(left + radius, bottom);
    p.quadTo(left, bottom, left, bottom - radius);
    p.closeSubpath();
    return p;
}

} // namespace

void drawDocument(Canvas& c, const Grid& g) {
    const int width = g.px(22);
    // Whole pixels, kept in doubles for the outlines.
    const double left = (g.side - width) / 2;
    const double right = left + width;
    const double bottom = g.side;
    const double rim = g.rim();
    const double fold = g.px(8);
    const double slant = rim * std::sqrt(2.0); // a rim measured across the 45-degree fold

    // The page: its rim, then the paper inside it. The fold is at 45 degrees,
    // so its edge covers every pixel it crosses by the same amount.
    const double corner = g.at(1.5);
    c.fill(pageOutline(left, 0, right, bottom, fold, corner), kRim);
    c.fill(pageOutline(left + rim, rim, right - rim, bottom - rim, fold + slant - 2 * rim,
                       std::max(0.0, corner - rim)),
           Paint::linear({left, 0}, {right, bottom},
                         {{0, kPaperLight}, {0.45, kPaperLight}, {1, kPaperShade}}));

    // Lines of writing, whole pixels apart; those beside the flap stop short.
    const double step = std::max(g.rim() + 1, g.px(3));
    const double shadowDepth = std::max(1, g.px(2));
    const double textLeft = left + g.px(4);
    const double textRight = right - g.px(4);
    for (double y = g.px(6); y + rim <= bottom - g.px(4); y += step) {
        const double end = y < fold + shadowDepth + rim ? right - fold - g.px(2) : textRight;
        c.fill(rectangle(textLeft, y, end, y + rim), kWriting);
    }

    // The flap's shadow on the page, deepest right under its lower edge.
    c.fill(polygon({{right - fold, fold},
                    {right - rim, fold},
                    {right - rim, fold + shadowDepth},
                    {right - fold + shadowDepth, fold + shadowDepth}}),
           Paint::linear({0, fold}, {0, fold + shadowDepth},
                         {{0, qRgba(0x20, 0x30, 0x50, 110)}, {1, qRgba(0x20, 0x30, 0x50, 20)}}));

    // The flap, lit along the fold, darker towards its corner.
    c.fill(polygon({{right - fold, 0}, {right, fold}, {right - fold, fold}}), kFlapRim);
    c.fill(polygon({{right - fold + rim, rim + slant},
                    {right - rim - slant, fold - rim},
                    {right - fold + rim, fold - rim}}),
           Paint::linear({right - fold, fold}, {right - fold / 2.0, fold / 2.0},
                         {{0, kFlapDeep}, {1, kFlapLight}}));
}

} // namespace Art
