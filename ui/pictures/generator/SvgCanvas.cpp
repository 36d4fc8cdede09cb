#include "SvgCanvas.h"

#include <cmath>

namespace Art {

namespace {

// Three decimals are far below what any screen shows, and keep the file small
// and identical from run to run.
QString number(double v) {
    QString s = QString::number(std::round(v * 1000) / 1000, 'f', 3);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.')) s.chop(1);
    return s == "-0" ? "0" : s;
}

QString point(double x, double y) {
    return number(x) + ',' + number(y);
}

QString pathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (!d.isEmpty()) d += "Z";
            d += "M" + point(e.x, e.y);
            break;
        case QPainterPath::LineToElement:
            d += "L" + point(e.x, e.y);
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += "C" + point(e.x, e.y) + ' ' + point(c2.x, c2.y) + ' ' + point(end.x, end.y);
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return d + "Z";
}

QString colour(QRgb c) {
    return QString::asprintf("#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
}

QString opacity(const char* attribute, QRgb c) {
    return qAlpha(c) == 255 ? QString()
                            : QString(" %1=\"%2\"").arg(attribute, number(qAlpha(c) / 255.0));
}

} // namespace

SvgCanvas::SvgCanvas(int side) : side_(side) {}

QString SvgCanvas::paintReference(const Paint& paint) {
    const QString id = QString("g%1").arg(++gradients_);
    const bool linear = paint.kind == Paint::Kind::Linear;
    if (linear)
        definitions_ += QString("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                                "x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">\n")
                            .arg(id, number(paint.from.x()), number(paint.from.y()),
                                 number(paint.to.x()), number(paint.to.y()));
    else
        definitions_ += QString("<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                                "cx=\"%2\" cy=\"%3\" r=\"%4\">\n")
                            .arg(id, number(paint.from.x()), number(paint.from.y()),
                                 number(std::hypot(paint.to.x() - paint.from.x(),
                                                   paint.to.y() - paint.from.y())));
    for (const Stop& s : paint.stops)
        definitions_ += QString("  <stop offset=\"%1\" stop-color=\"%2\"%3/>\n")
                            .arg(number(s.at), colour(s.colour), opacity("stop-opacity", s.colour));
    definitions_ += linear ? "</linearGradient>\n" : "</radialGradient>\n";
    return "url(#" + id + ")";
}

void SvgCanvas::fill(const QPainterPath& outline, const Paint& paint) {
    const QRgb first = paint.stops.front().colour;
    const QString fill = paint.kind == Paint::Kind::Solid
                             ? "fill=\"" + colour(first) + '"' + opacity("fill-opacity", first)
                             : "fill=\"" + paintReference(paint) + '"';
    body_ += QString("<path fill-rule=\"%1\" %2 d=\"%3\"/>\n")
                 .arg(outline.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero", fill,
                      pathData(outline));
}

QByteArray SvgCanvas::document() const {
    const QString side = QString::number(side_);
    QString svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                  side + "\" height=\"" + side + "\" viewBox=\"0 0 " + side + ' ' + side + "\">\n";
    if (!definitions_.isEmpty()) svg += "<defs>\n" + definitions_ + "</defs>\n";
    svg += body_ + "</svg>\n";
    return svg.toUtf8();
}

} // namespace Art
