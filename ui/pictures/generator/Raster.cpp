#include "Raster.h"

#include "FixedRaster.h"

#include <stdexcept>

namespace Art {

namespace {

constexpr int kFitRounds = 8;

void dropFaintPixels(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) < kFaintestAlpha) line[x] = 0;
    }
}

// Adjusts the fine transform until the drawing's ink fills the target box
// exactly. The ink is measured on a canvas three times the icon's size, so a
// first guess that overshoots is still seen whole.
QTransform fittedTransform(const Drawing& drawing, const QRect& box) {
    const QRect target(box.x() * kFineScale, box.y() * kFineScale, box.width() * kFineScale,
                       box.height() * kFineScale);
    const QTransform toCanvas = QTransform::fromTranslate(kFineSide, kFineSide);
    QTransform fine = QTransform::fromScale(kFineScale, kFineScale);
    for (int round = 0; round < kFitRounds; ++round) {
        const QImage canvas =
            paint(drawing, QSize(3 * kFineSide, 3 * kFineSide), fine * toCanvas);
        const QRect ink = inkBounds(canvas).translated(-kFineSide, -kFineSide);
        if (ink.isEmpty()) throw std::runtime_error("drawing left no ink");
        if (ink == target) break;
        const double sx = double(target.width()) / ink.width();
        const double sy = double(target.height()) / ink.height();
        const QTransform correction(sx, 0, 0, sy, target.x() - ink.x() * sx,
                                    target.y() - ink.y() * sy);
        fine = fine * correction;
    }
    return fine;
}

} // namespace

QImage paint(const Drawing& drawing, QSize size, const QTransform& transform) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(transform);
    drawing(painter);
    painter.end();
    return image;
}

QImage reduce(const QImage& image, int factor) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.width() / factor, source.height() / factor,
               QImage::Format_ARGB32_Premultiplied);
    const int area = factor * factor;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb c = line[x * factor + dx];
                    sum[0] += qRed(c);
                    sum[1] += qGreen(c);
                    sum[2] += qBlue(c);
                    sum[3] += qAlpha(c);
                }
            }
            auto mean = [&](int s) { return (s + area / 2) / area; };
            out.setPixel(x, y, qRgba(mean(sum[0]), mean(sum[1]), mean(sum[2]), mean(sum[3])));
        }
    QImage straight = out.convertToFormat(QImage::Format_ARGB32);
    dropFaintPixels(straight);
    return straight;
}

QRect inkBounds(const QImage& image, int minimumAlpha) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) >= minimumAlpha) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

IconImages renderIcon(const Drawing& drawing, std::optional<QRect> fitTo) {
    const QTransform fine = fitTo ? fittedTransform(drawing, *fitTo)
                                  : QTransform::fromScale(kFineScale, kFineScale);
    const QImage large = paint(drawing, QSize(kFineSide, kFineSide), fine);
    return {reduce(large, kFineScale), reduce(large, kFineScale / 2)};
}

QImage renderAt(const CanvasDrawing& drawing, int side) {
    QImage image = rasterize(side, side, [&](Canvas& c) { drawing(c, Grid{side}); });
    dropFaintPixels(image);
    return image;
}

IconImages renderIcon(const CanvasDrawing& drawing) {
    return {renderAt(drawing, kIconSide), renderAt(drawing, 2 * kIconSide)};
}

QImage pixelArt(const std::vector<std::string>& rows, const std::function<QRgb(char)>& key) {
    const int height = int(rows.size());
    const int width = height == 0 ? 0 : int(rows.front().size());
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        if (int(rows[std::size_t(y)].size()) != width)
            throw std::invalid_argument("pixel art rows differ in length");
        for (int x = 0; x < width; ++x) image.setPixel(x, y, key(rows[std::size_t(y)][std::size_t(x)]));
    }
    return image;
}

QImage magnified(const QImage& image, int factor) {
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace Art
