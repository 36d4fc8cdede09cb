#include "Raster.h"

#include "FixedRaster.h"

#include <stdexcept>

namespace Art {

namespace {

void dropFaintPixels(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) < kFaintestAlpha) line[x] = 0;
    }
}

} // namespace

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
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, key(rows[std::size_t(y)][std::size_t(x)]));
    }
    return image;
}

QImage doubledPixelArt(const QImage& art) {
    const QImage in = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(in.size() * 2, QImage::Format_ARGB32);
    auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= in.width() || y >= in.height() ? QRgb(0) : in.pixel(x, y);
    };
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x) {
            const QRgb p = at(x, y);
            const QRgb up = at(x, y - 1), down = at(x, y + 1), left = at(x - 1, y),
                       right = at(x + 1, y);
            out.setPixel(2 * x, 2 * y, left == up && left != down && up != right ? up : p);
            out.setPixel(2 * x + 1, 2 * y, up == right && up != left && right != down ? right : p);
            out.setPixel(2 * x, 2 * y + 1, down == left && down != right && left != up ? left : p);
            out.setPixel(2 * x + 1, 2 * y + 1,
                         right == down && right != up && down != left ? down : p);
        }
    return out;
}

QImage magnified(const QImage& image, int factor) {
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace Art
