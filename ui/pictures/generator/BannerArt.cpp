// The options dialog's logo: the maker's name over the program's name.

#include "Artwork.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>
#include <stdexcept>

namespace Art {

namespace {

constexpr int kWidth = 222;
constexpr int kHeight = 50;
constexpr int kInkTop = 4;      // the lettering starts on this row
constexpr int kInkBottom = 46;  // and ends on this one; the rows below stay white
constexpr int kLineGap = 3;     // between the two lines of lettering
constexpr int kMakerLeft = 5;
constexpr int kProgramIndent = 74;
// The maker's name is set a little wide so that it spans most of the banner.
constexpr double kMakerStretch = 1.18;

QString familyFromFile(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) throw std::runtime_error("font not found: " + path.toStdString());
    return families.first();
}

// Text as a path whose ink box (not the font's line box) has its top-left
// corner at the origin, so lines can be placed by their visible extent.
struct Lettering {
    QPainterPath path;
    QRectF ink;
};

Lettering lettering(const QFont& font, const QString& text, double x = 0) {
    QPainterPath path;
    path.addText(x, 0, font, text);
    return {path, path.boundingRect()};
}

} // namespace

QImage logoBanner() {
    const QString sans =
        familyFromFile("/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf");
    const QString sansItalic =
        familyFromFile("/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf");

    QFont makerFont(sans);
    makerFont.setPixelSize(27);
    makerFont.setWeight(QFont::Bold);
    makerFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    QFont programFont(sansItalic);
    programFont.setPixelSize(18);
    programFont.setWeight(QFont::Bold);
    programFont.setItalic(true);
    programFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);

    // "Quill" in black, "moor" in red, set as one word.
    const QString first = "Quill";
    const QString second = "moor";
    const double split = QFontMetricsF(makerFont).horizontalAdvance(first);
    const Lettering quill = lettering(makerFont, first);
    const Lettering moor = lettering(makerFont, second, split);
    const Lettering program = lettering(programFont, "Tarrowin");
    const QRectF makerInk = quill.ink.united(moor.ink);

    // The upper line starts at the top row of lettering, the lower line ends at
    // its last row; the gap between them is whatever is left.
    const double makerTop = kInkTop - makerInk.top();
    const double programTop = kInkBottom + 1 - program.ink.bottom();
    if (makerInk.height() + program.ink.height() + kLineGap > kInkBottom + 1 - kInkTop)
        throw std::runtime_error(QString("banner lettering too tall: %1 + %2").arg(makerInk.height()).arg(program.ink.height()).toStdString());

    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.translate(kMakerLeft, makerTop);
    p.scale(kMakerStretch, 1.0);
    p.translate(-makerInk.left(), 0);
    p.setBrush(QColor(0x10, 0x10, 0x10));
    p.drawPath(quill.path);
    p.setBrush(QColor(0xd2, 0x14, 0x1e));
    p.drawPath(moor.path);
    p.resetTransform();
    p.translate(kProgramIndent - program.ink.left(), programTop);
    p.setBrush(QColor(0x10, 0x3c, 0xc8));
    p.drawPath(program.path);
    p.end();
    return image;
}

} // namespace Art
