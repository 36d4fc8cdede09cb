// The options dialog's icon, and the list of every two-image icon.

#include "Artwork.h"
#include "BuiltinDrawings.h"
#include "Shapes.h"

namespace Art {

// A lavender-grey cog seen straight on, with a dark hole through its middle.
// Centred on a pixel corner with a tooth every 45 degrees, so that its eight
// teeth come out alike.
void drawOptionsCog(Canvas& c) {
    const QPointF centre(16, 16);
    const QPainterPath wheel = cog(centre, 12.5, 16, 6, 8);
    const QPainterPath hole = circle(centre, 5);
    c.fill(wheel.subtracted(hole), Paint::linear({4, 2}, {28, 30},
                                                 {{0, qRgb(0xea, 0xe7, 0xf8)},
                                                  {0.5, qRgb(0xb0, 0xa9, 0xd4)},
                                                  {1, qRgb(0x74, 0x6c, 0xa2)}}));
    // A bevelled ring halfway out: light above left, shade below right.
    c.fill(circle(centre, 9).subtracted(circle(centre, 8)),
           Paint::linear({9, 9}, {23, 23},
                         {{0, qRgba(255, 255, 255, 220)}, {1, qRgba(0x4e, 0x46, 0x7a, 170)}}));
    c.fill(innerRim(wheel.subtracted(hole), 1), qRgb(0x44, 0x3c, 0x6c));
    c.fill(hole, Paint::radial({17, 17}, 5.5,
                               {{0, qRgb(0x4c, 0x46, 0x66)}, {1, qRgb(0x16, 0x14, 0x24)}}));
}

namespace {

CanvasDrawing onDesignSquare(void (*draw)(Canvas&)) {
    return [draw](Canvas& canvas, const Grid& grid) {
        ScaledCanvas scaled(canvas, grid.scale());
        draw(scaled);
    };
}

} // namespace

std::vector<IconArt> builtinIcons() {
    return {
        {"gear", onDesignSquare(drawGear), QRect(0, 2, 32, 29)},
        {"arrow", onDesignSquare(drawArrow), QRect(0, 2, 32, 27)},
        {"scissors", onDesignSquare(drawScissors), QRect(0, 3, 32, 24)},
        {"folder", onDesignSquare(drawFolder), QRect(0, 1, 32, 31)},
        {"files", onDesignSquare(drawFiles), QRect(5, 0, 23, 32)},
        {"cd", onDesignSquare(drawDisc), QRect(0, 5, 32, 23)},
        {"monitor", onDesignSquare(drawMonitor), QRect(3, 0, 27, 32)},
    };
}

IconArt documentIcon() {
    return {"document", drawDocument, QRect(5, 0, 22, 32)};
}

IconArt optionsIcon() {
    return {"options", onDesignSquare(drawOptionsCog), QRect(0, 0, 32, 32)};
}

} // namespace Art
