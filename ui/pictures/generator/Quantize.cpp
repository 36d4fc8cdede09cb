#include "Quantize.h"

#include <algorithm>
#include <array>
#include <limits>

namespace PictureFiles {

namespace {

using Channels = std::array<int, 3>;

Channels channels(QRgb c) {
    return {qRed(c), qGreen(c), qBlue(c)};
}

struct Box {
    std::vector<Channels> colours;

    int widestChannel() const {
        int best = 0;
        int bestRange = -1;
        for (int ch = 0; ch < 3; ++ch) {
            auto [lo, hi] = std::minmax_element(
                colours.begin(), colours.end(),
                [ch](const Channels& a, const Channels& b) { return a[ch] < b[ch]; });
            const int range = (*hi)[ch] - (*lo)[ch];
            if (range > bestRange) {
                bestRange = range;
                best = ch;
            }
        }
        return best;
    }

    int range() const {
        const int ch = widestChannel();
        auto [lo, hi] = std::minmax_element(
            colours.begin(), colours.end(),
            [ch](const Channels& a, const Channels& b) { return a[ch] < b[ch]; });
        return (*hi)[ch] - (*lo)[ch];
    }

    QRgb mean() const {
        long sum[3] = {0, 0, 0};
        for (const Channels& c : colours)
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += c[ch];
        const long n = static_cast<long>(colours.size());
        return qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n),
                    int((sum[2] + n / 2) / n));
    }
};

} // namespace

std::vector<QRgb> reducedPalette(const std::vector<QRgb>& colours, int maxColours) {
    std::vector<QRgb> distinct;
    for (QRgb c : colours)
        distinct.push_back(c | 0xff000000u);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (int(distinct.size()) <= maxColours) return distinct;

    // Every pixel takes part (not only the distinct colours), so colours that
    // cover much of the picture pull the means towards themselves.
    std::vector<Box> boxes(1);
    for (QRgb c : colours)
        boxes[0].colours.push_back(channels(c));
    while (int(boxes.size()) < maxColours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.range() < b.range();
        });
        if (widest->range() == 0) break;
        const int ch = widest->widestChannel();
        std::vector<Channels>& cs = widest->colours;
        std::sort(cs.begin(), cs.end(),
                  [ch](const Channels& a, const Channels& b) { return a[ch] < b[ch]; });
        // Split at the median, but never between two equal values, so both halves
        // keep a non-empty, separable set.
        std::size_t cut = cs.size() / 2;
        while (cut > 0 && cs[cut - 1][ch] == cs[cut][ch])
            --cut;
        if (cut == 0) {
            cut = cs.size() / 2;
            while (cut < cs.size() && cs[cut - 1][ch] == cs[cut][ch])
                ++cut;
        }
        Box upper;
        upper.colours.assign(cs.begin() + long(cut), cs.end());
        cs.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes)
        palette.push_back(b.mean());
    // In colour order, not in the order the boxes happened to split, so that
    // the same colours always give the same table.
    std::sort(palette.begin(), palette.end());
    return palette;
}

int nearestIndex(const std::vector<QRgb>& palette, QRgb colour, int skipIndex) {
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        if (i == skipIndex) continue;
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        // Weighted as the eye weighs the channels, so greys stay grey.
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace PictureFiles
