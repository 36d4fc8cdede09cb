#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

// What normal-sized text needs against its background.
constexpr double kTextContrast = 4.5;
// How finely the fallback moves toward the strong colour.
constexpr int kMixSteps = 20;

double luminance(const QColor& colour) {
    const auto linear = [](float channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

QColor mix(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    constexpr double kFlare = 0.05; // the light a screen reflects
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

QColor mostContrasting(const QColor& background, std::initializer_list<QColor> candidates) {
    QColor best;
    double bestRatio = 0;
    for (const QColor& candidate : candidates) {
        const double ratio = contrastRatio(candidate, background);
        if (ratio > bestRatio) {
            best = candidate;
            bestRatio = ratio;
        }
    }
    return best;
}

QColor readableText(const QColor& preferred, const QColor& fallback, const QColor& strong,
                    const QColor& background) {
    if (contrastRatio(preferred, background) >= kTextContrast) return preferred;
    for (int step = 0; step <= kMixSteps; ++step) {
        const QColor tried = mix(fallback, strong, static_cast<double>(step) / kMixSteps);
        if (contrastRatio(tried, background) >= kTextContrast) return tried;
    }
    return strong;
}
