#pragma once
// A canvas that writes what is painted on it as an SVG document, shape for
// shape, so that the scalable icon is the very drawing of the pixel ones.

#include "Canvas.h"

#include <QByteArray>
#include <QString>

namespace Art {

class SvgCanvas final : public Canvas {
public:
    explicit SvgCanvas(int side);
    using Canvas::fill;
    void fill(const QPainterPath& outline, const Paint& paint) override;

    QByteArray document() const;

private:
    QString paintReference(const Paint& paint);

    int side_;
    int gradients_ = 0;
    QString definitions_;
    QString body_;
};

} // namespace Art
