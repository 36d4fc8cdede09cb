// Which carried rendering of each icon comes closer to the icon drawn at a
// given scale: the 32-pixel one scaled up or the 64-pixel one scaled down
// (up to 200 %), the 64-pixel one scaled up or the 96-pixel one scaled down
// (above).
// The drawings are hinted afresh for every size, so the one drawn at the scale
// itself is what the user would best see there.

#include "Artwork.h"
#include "PictureScale.h"
#include "Raster.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPercents[] = {125, 150, 175, 200, 225, 250, 275, 300};

// Root-mean-square difference of two images of one size, premultiplied, as a
// share of full scale.
double difference(const QImage& first, const QImage& second) {
    const QImage a = first.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q),
                                qAlpha(p) - qAlpha(q)})
                sum += double(d) * d;
        }
    return std::sqrt(sum / (4.0 * a.width() * a.height())) / 255.0;
}

// The smaller rendering scaled up against the larger one scaled down.
struct Row {
    int smaller = 1, larger = 2; // times 32 pixels
    double smallerUp = 0, largerDown = 0;
    int largerCloser = 0;
};

Row measure(const std::vector<Art::IconArt>& icons, int percent, Qt::TransformationMode mode) {
    const int side = Art::kIconSide * percent / 100;
    Row row;
    if (percent > 200) row = {2, 3};
    for (const Art::IconArt& icon : icons) {
        const QImage drawn = Art::renderAt(icon.draw, side);
        const auto scaled = [&](int from) {
            return Art::renderAt(icon.draw, from).scaled(side, side, Qt::IgnoreAspectRatio, mode);
        };
        const double up = difference(scaled(row.smaller * Art::kIconSide), drawn);
        const double down = difference(scaled(row.larger * Art::kIconSide), drawn);
        row.smallerUp += up / double(icons.size());
        row.largerDown += down / double(icons.size());
        row.largerCloser += down < up;
    }
    return row;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    std::vector<Art::IconArt> icons = Art::builtinIcons();
    icons.push_back(Art::documentIcon());
    icons.push_back(Art::optionsIcon());

    std::printf(
        "mean difference from the icon drawn at the scale (share of full scale), %zu icons\n",
        icons.size());
    std::printf("scaling  scale  renderings  smaller up  larger down  larger closer\n");
    int firstDoubled = 0, firstTripled = 0;
    for (const auto& [mode, name] : {std::pair{Qt::SmoothTransformation, "smooth "},
                                     std::pair{Qt::FastTransformation, "nearest"}}) {
        int doubled = 0, tripled = 0;
        for (const int percent : kPercents) {
            const Row row = measure(icons, percent, mode);
            std::printf("%s  %4d %%  %dx or %dx  %10.4f  %11.4f  %7d of %zu\n", name, percent,
                        row.smaller, row.larger, row.smallerUp, row.largerDown, row.largerCloser,
                        icons.size());
            int& first = row.larger == 2 ? doubled : tripled;
            if (!first && 2 * row.largerCloser > int(icons.size())) first = percent;
        }
        firstDoubled = std::max(firstDoubled, doubled);
        firstTripled = std::max(firstTripled, tripled);
    }
    std::printf("the doubled renderings come closer for most icons from %d %% on with both; "
                "the front ends use them from %d %% on\n",
                firstDoubled, PictureScale::kDoubleFromPercent);
    std::printf("the tripled renderings come closer for most icons from %d %% on with both; "
                "the front ends use them from %d %% on\n",
                firstTripled, PictureScale::kTripleFromPercent);
    return 0;
}
