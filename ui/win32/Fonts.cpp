#include "Fonts.h"

#include <string>

namespace {
constexpr int kPointsPerInch = 72;
constexpr int kHundredths = 100;
constexpr int kClassicPoints = 8;
constexpr int kClassicHundredths = 825;

int hundredthsOfPoints(int points) {
    return points == kClassicPoints ? kClassicHundredths : points * kHundredths;
}
} // namespace

int layoutFontHeight(const Layout::FontEntry& entry, UINT dpi) {
    return -MulDiv(hundredthsOfPoints(entry.pointSize), int(dpi), kPointsPerInch * kHundredths);
}

OwnedFont createLayoutFont(const Layout::FontEntry& entry, UINT dpi) {
    const std::wstring family(entry.family);
    return OwnedFont(CreateFontW(layoutFontHeight(entry, dpi), 0, 0, 0,
                                 entry.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, family.c_str()));
}
