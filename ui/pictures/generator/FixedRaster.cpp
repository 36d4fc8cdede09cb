#include "FixedRaster.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Art {

namespace {

constexpr std::int64_t kUnit = 256;   // fixed-point units per pixel
constexpr std::int64_t kSamples = 16; // samples per pixel along each axis
constexpr std::int64_t kStep = kUnit / kSamples;
constexpr std::int64_t kFullCoverage = kSamples * kSamples;
constexpr std::int64_t kOne = 1 << 16; // gradient positions run 0..kOne

std::int64_t fixed(double v) {
    return std::llround(v * kUnit);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

std::int64_t integerSqrt(std::int64_t n) {
    auto r = std::int64_t(std::sqrt(double(n)));
    while (r > 0 && r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

struct Edge {
    std::int64_t x0, y0, x1, y1;
    int direction; // +1 downwards, -1 upwards
};

int divide255(int v) {
    return (v + 127) / 255;
}

// The paint's colour at a pixel centre, straight ARGB.
class Shader {
public:
    explicit Shader(const Paint& paint) : paint_(paint) {
        for (const Stop& s : paint.stops)
            stops_.push_back({std::llround(s.at * kOne), s.colour});
        fx_ = fixed(paint.from.x());
        fy_ = fixed(paint.from.y());
        dx_ = fixed(paint.to.x()) - fx_;
        dy_ = fixed(paint.to.y()) - fy_;
        length2_ = std::max<std::int64_t>(1, dx_ * dx_ + dy_ * dy_);
        radius_ = std::max<std::int64_t>(1, integerSqrt(length2_));
    }

    QRgb at(int x, int y) const {
        if (paint_.kind == Paint::Kind::Solid) return stops_.front().colour;
        const std::int64_t px = x * kUnit + kUnit / 2 - fx_;
        const std::int64_t py = y * kUnit + kUnit / 2 - fy_;
        const std::int64_t t = paint_.kind == Paint::Kind::Linear
                                   ? floorDiv((px * dx_ + py * dy_) * kOne, length2_)
                                   : integerSqrt(px * px + py * py) * kOne / radius_;
        return colourAt(std::clamp<std::int64_t>(t, 0, kOne));
    }

private:
    struct FixedStop {
        std::int64_t at;
        QRgb colour;
    };

    QRgb colourAt(std::int64_t t) const {
        if (t <= stops_.front().at) return stops_.front().colour;
        for (std::size_t i = 1; i < stops_.size(); ++i) {
            const FixedStop& a = stops_[i - 1];
            const FixedStop& b = stops_[i];
            if (t > b.at) continue;
            const std::int64_t span = std::max<std::int64_t>(1, b.at - a.at);
            const std::int64_t w = (t - a.at) * 256 / span;
            auto mix = [&](int ca, int cb) { return int((ca * (256 - w) + cb * w + 128) >> 8); };
            return qRgba(
                mix(qRed(a.colour), qRed(b.colour)), mix(qGreen(a.colour), qGreen(b.colour)),
                mix(qBlue(a.colour), qBlue(b.colour)), mix(qAlpha(a.colour), qAlpha(b.colour)));
        }
        return stops_.back().colour;
    }

    const Paint& paint_;
    std::vector<FixedStop> stops_;
    std::int64_t fx_, fy_, dx_, dy_, length2_, radius_;
};

} // namespace

FixedRaster::FixedRaster(int width, int height)
    : width_(width), height_(height), premultiplied_(std::size_t(width * height), {0, 0, 0, 0}) {}

std::vector<int> FixedRaster::coverage(const QPainterPath& outline) const {
    // Flattened in fixed-point units, so that curves are split finely enough.
    std::vector<Edge> edges;
    const QTransform toUnits = QTransform::fromScale(kUnit, kUnit);
    for (const QPolygonF& polygon : outline.toSubpathPolygons(toUnits)) {
        const int n = int(polygon.size());
        for (int i = 0; i < n; ++i) {
            const QPointF a = polygon[i];
            const QPointF b = polygon[(i + 1) % n];
            const Edge e{std::llround(a.x()), std::llround(a.y()), std::llround(b.x()),
                         std::llround(b.y()), 1};
            if (e.y0 == e.y1) continue;
            edges.push_back(e.y0 < e.y1 ? e : Edge{e.x1, e.y1, e.x0, e.y0, -1});
        }
    }
    const bool evenOdd = outline.fillRule() == Qt::OddEvenFill;
    std::vector<int> cover(std::size_t(width_ * height_), 0);
    std::vector<std::pair<std::int64_t, int>> crossings;
    for (std::int64_t row = 0; row < height_ * kSamples; ++row) {
        const std::int64_t sy = row * kStep + kStep / 2;
        crossings.clear();
        for (const Edge& e : edges) {
            if (sy < e.y0 || sy >= e.y1) continue;
            const std::int64_t x = e.x0 + floorDiv((sy - e.y0) * (e.x1 - e.x0), e.y1 - e.y0);
            crossings.emplace_back(x, e.direction);
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        int* line = cover.data() + (row / kSamples) * width_;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].second;
            const bool inside = evenOdd ? (winding & 1) != 0 : winding != 0;
            if (!inside) continue;
            // Sample columns whose centres lie in [left crossing, right crossing).
            std::int64_t first = ceilDiv(crossings[i].first - kStep / 2, kStep);
            std::int64_t last = ceilDiv(crossings[i + 1].first - kStep / 2, kStep); // exclusive
            first = std::max<std::int64_t>(first, 0);
            last = std::min<std::int64_t>(last, width_ * kSamples);
            for (std::int64_t s = first; s < last;) {
                const std::int64_t pixel = s / kSamples;
                const std::int64_t end = std::min(last, (pixel + 1) * kSamples);
                line[pixel] += int(end - s);
                s = end;
            }
        }
    }
    return cover;
}

void FixedRaster::fill(const QPainterPath& outline, const Paint& paint) {
    const std::vector<int> cover = coverage(outline);
    const Shader shader(paint);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const int c = cover[std::size_t(y * width_ + x)];
            if (c == 0) continue;
            const QRgb colour = shader.at(x, y);
            const int sa =
                int((qAlpha(colour) * std::int64_t(c) + kFullCoverage / 2) / kFullCoverage);
            if (sa == 0) continue;
            std::array<int, 4>& d = premultiplied_[std::size_t(y * width_ + x)];
            const int keep = 255 - sa;
            d[0] = sa + divide255(d[0] * keep);
            d[1] = divide255(qRed(colour) * sa) + divide255(d[1] * keep);
            d[2] = divide255(qGreen(colour) * sa) + divide255(d[2] * keep);
            d[3] = divide255(qBlue(colour) * sa) + divide255(d[3] * keep);
            for (int i = 1; i < 4; ++i)
                d[std::size_t(i)] = std::min(d[std::size_t(i)], d[0]);
        }
}

QImage FixedRaster::image() const {
    QImage out(width_, height_, QImage::Format_ARGB32);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const std::array<int, 4>& p = premultiplied_[std::size_t(y * width_ + x)];
            const int a = p[0];
            auto straight = [a](int v) { return a == 0 ? 0 : (v * 255 + a / 2) / a; };
            line[x] = qRgba(straight(p[1]), straight(p[2]), straight(p[3]), a);
        }
    }
    return out;
}

} // namespace Art
