// The options dialog's logo: the maker's name over the program's name.

#include "Artwork.h"
#include "FixedRaster.h"
#include "Shapes.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>
#include <stdexcept>

namespace Art {

namespace {

constexpr int kWidth = 222;
constexpr int kHeight = 50;
constexpr int kInkTop = 4;     // the lettering starts on this row
constexpr int kInkBottom = 46; // and ends on this one; the rows below stay white
constexpr int kMinLineGap = 3; // between the two lines of lettering
constexpr int kLargestMakerSize = 40;
constexpr int kProgramSize = 18;

QString familyFromFile(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) throw std::runtime_error("font not found: " + path.toStdString());
    return families.first();
}

QFont fontFromFile(const QString& path, int pixelSize, bool italic) {
    QFont font(familyFromFile(path));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    font.setItalic(italic);
    return font;
}

struct Lettering {
    QPainterPath black, red, blue;
};

// "Quill" in black and "moor" in red, set as one word at its natural width,
// centred; "Tarrowin" below it, ending where the maker's name ends. The
// maker's name is as large as the two lines allow.
Lettering lettering() {
    const QString bold = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
    const QString boldItalic = "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf";
    QPainterPath program;
    program.addText(0, 0, fontFromFile(boldItalic, kProgramSize, true), "Tarrowin");
    const QRectF programInk = program.boundingRect();

    for (int size = kLargestMakerSize; size > kProgramSize; --size) {
        const QFont font = fontFromFile(bold, size, false);
        QPainterPath quill, moor;
        quill.addText(0, 0, font, "Quill");
        moor.addText(QFontMetricsF(font).horizontalAdvance("Quill"), 0, font, "moor");
        const QRectF makerInk = quill.boundingRect().united(moor.boundingRect());
        if (makerInk.width() > kWidth - 2 * kMinLineGap ||
            makerInk.height() + kMinLineGap + programInk.height() > kInkBottom + 1 - kInkTop)
            continue;
        // Ink edges on whole pixels: the flat tops of the tall letters and the
        // baseline of the lower line come out crisp.
        const double makerLeft = std::round((kWidth - makerInk.width()) / 2);
        const QPointF makerShift(makerLeft - makerInk.left(), kInkTop - makerInk.top());
        const QPointF programShift(std::round(makerLeft + makerInk.width()) - programInk.right(),
                                   kInkBottom + 1 - programInk.bottom());
        return {quill.translated(makerShift), moor.translated(makerShift),
                program.translated(programShift)};
    }
    throw std::runtime_error("banner lettering does not fit");
}

} // namespace

QImage logoBanner(int scale) {
    const Lettering text = lettering();
    return rasterize(kWidth * scale, kHeight * scale, [&](Canvas& c) {
        ScaledCanvas scaled(c, scale);
        scaled.fill(rectangle(0, 0, kWidth, kHeight), qRgb(255, 255, 255));
        scaled.fill(text.black, qRgb(0x10, 0x10, 0x10));
        scaled.fill(text.red, qRgb(0xd2, 0x14, 0x1e));
        scaled.fill(text.blue, qRgb(0x10, 0x3c, 0xc8));
    });
}

} // namespace Art
