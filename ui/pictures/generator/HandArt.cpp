// The pointing hand of both mouse pointers, drawn pixel by pixel: at 1 bit per
// pixel every pixel is a decision, so it is placed by hand rather than reduced
// from a smooth drawing.

#include "Artwork.h"

#include <stdexcept>

namespace Art {

QImage pointingHand(QPoint fingerTip) {
    // '#' outline, 'o' inside, '.' transparent.
    static const std::vector<std::string> rows = {
        ".....##..........", "....#oo#.........", "....#oo#.........", "....#oo#.........",
        "....#oo#.........", "....#oo###.......", "....#oo#oo###....", "....#oo#oo#oo###.",
        "....#oo#oo#oo#oo#", "..###oo#oo#oo#oo#", ".#oo#oo#oooooooo#", "#ooo#ooooooooooo#",
        "#ooo#ooooooooooo#", ".#ooooooooooooo#.", ".#ooooooooooooo#.", "..#oooooooooooo#.",
        "..#ooooooooooo#..", "...#oooooooooo#..", "...#oooooooooo#..", "....#ooooooooo#..",
        "....#ooooooooo#..", "....###########..",
    };
    constexpr QPoint kTipInArt{5, 0};
    const QImage art = pixelArt(rows, [](char c) -> QRgb {
        switch (c) {
        case '#':
            return qRgba(0, 0, 0, 255);
        case 'o':
            return qRgba(255, 255, 255, 255);
        default:
            return 0;
        }
    });
    const QPoint offset = fingerTip - kTipInArt;
    if (offset.x() < 0 || offset.y() < 0 || offset.x() + art.width() > kIconSide ||
        offset.y() + art.height() > kIconSide)
        throw std::invalid_argument("the hand does not fit there");
    QImage image(kIconSide, kIconSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            image.setPixel(offset + QPoint(x, y), art.pixel(x, y));
    return image;
}

} // namespace Art
