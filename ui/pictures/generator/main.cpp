// Draws every picture of the program and writes the finished files.
//
//   tarrowin_picture_generator PICTURE_DIR CONTACT_SHEET_PNG
//
// Writes the icons, pointers, banner and button picture into PICTURE_DIR and
// the contact sheet to CONTACT_SHEET_PNG. A file whose bytes would not change
// is left alone, so a rerun does not make the program rebuild its resources.

#include "Artwork.h"
#include "ContactSheet.h"
#include "DibFiles.h"
#include "GifFile.h"
#include "SvgCanvas.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr QPoint kIconBoxHotSpot{12, 9};
constexpr int kBrowseTableSize = 64;
constexpr int kBrowseTransparentIndex = 36;
constexpr int kBannerLastInkRow = 46;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes) return;
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    std::printf("wrote %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("PNG encoding failed");
    return bytes;
}

QRect maskBounds(const std::vector<bool>& shown) {
    QRect box;
    for (int i = 0; i < int(shown.size()); ++i)
        if (shown[std::size_t(i)]) box |= QRect(i % Art::kIconSide, i / Art::kIconSide, 1, 1);
    return box;
}

QString describe(const QRect& r) {
    return QString("columns %1-%2, rows %3-%4")
        .arg(r.left())
        .arg(r.right())
        .arg(r.top())
        .arg(r.bottom());
}

void writeIcon(const QDir& dir, const Art::IconArt& art) {
    const Art::IconImages images = Art::renderIcon(art.draw);
    const QRect soft = Art::inkBounds(images.normal);
    const QRect hard = maskBounds(PictureFiles::hardMask(images.normal));
    if (soft != art.opaqueBox || hard != art.opaqueBox)
        throw std::runtime_error(
            QString("%1: drawn over %2 (hard mask %3), expected %4")
                .arg(art.name, describe(soft), describe(hard), describe(art.opaqueBox))
                .toStdString());
    writeFile(dir.filePath(art.name + ".ico"), PictureFiles::twoImageIcon(images.normal));
    writeFile(dir.filePath(art.name + "@2x.png"), png(images.doubled));
}

// The sizes Windows takes a program's and a window's icon at, from 100 to
// 300 %: small icons (16 to 48), large ones (32 to 96 are scaled from the
// nearest), Explorer's views (48, 64, 256).
constexpr int kWindowsIconSides[] = {16, 20, 24, 32, 40, 48, 64, 256};

// The icon at every size Windows asks for, each drawn on its own pixel grid;
// a file apart from the two-image one, whose layout stays as it is.
void writeSizedIcon(const QDir& dir, const Art::IconArt& art) {
    std::vector<QImage> images;
    for (int side : kWindowsIconSides)
        images.push_back(Art::renderAt(art.draw, side));
    writeFile(dir.filePath(art.name + "-sizes.ico"), PictureFiles::sizedIcon(images));
}

// A pointer at the sizes Windows gives pointers (32 at 100 %, 48 at 150 %, 64
// at 200 %, 96 at 300 %): the drawn hand, its doubled rendering, and each
// scaled by half again without smoothing, where a pixel-art hand stays sharp.
void writeSizedPointer(const QDir& dir, const QString& name, const QImage& hand, QPoint hotSpot) {
    const QImage doubled = Art::doubledPixelArt(hand);
    const std::vector<QImage> images = {
        hand, hand.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::FastTransformation), doubled,
        doubled.scaled(96, 96, Qt::IgnoreAspectRatio, Qt::FastTransformation)};
    std::vector<QPoint> hotSpots;
    for (const QImage& image : images)
        hotSpots.push_back(hotSpot * image.width() / hand.width());
    writeFile(dir.filePath(name + "-sizes.cur"), PictureFiles::sizedCursor(images, hotSpots));
}

// The program's icon for the desktop's icon theme: the gear the Windows
// program file, its shortcut and its setup show, drawn afresh at every size
// the theme has a folder for, and once as a scalable drawing.
void writeThemeIcons(const QDir& dir) {
    const Art::CanvasDrawing gear = Art::optionsIcon().draw;
    for (int side : Art::kThemeIconSides) {
        const QString folder = QString("hicolor/%1x%1/apps").arg(side);
        if (!dir.mkpath(folder)) throw std::runtime_error("cannot make " + folder.toStdString());
        writeFile(dir.filePath(folder + "/" + Art::kThemeIconName + ".png"),
                  png(Art::renderAt(gear, side)));
    }
    if (!dir.mkpath("hicolor/scalable/apps"))
        throw std::runtime_error("cannot make hicolor/scalable");
    Art::SvgCanvas svg(Art::kDesignSide);
    gear(svg, Art::Grid{Art::kDesignSide});
    writeFile(dir.filePath(QString("hicolor/scalable/apps/") + Art::kThemeIconName + ".svg"),
              svg.document());
}

void checkBanner(const QImage& banner) {
    for (int y = kBannerLastInkRow + 1; y < banner.height(); ++y)
        for (int x = 0; x < banner.width(); ++x)
            if (banner.pixel(x, y) != qRgb(255, 255, 255))
                throw std::runtime_error("banner lettering reaches below its last row");
}

void generate(const QDir& dir, const QString& sheetPath) {
    std::vector<Art::IconArt> icons = Art::builtinIcons();
    icons.push_back(Art::documentIcon());
    icons.push_back(Art::optionsIcon());
    for (const Art::IconArt& art : icons)
        writeIcon(dir, art);
    // The icon box's icons also at three times their size, drawn on that grid,
    // for 225 % and up: the doubled ones enlarged by half again show stairs.
    for (const Art::IconArt& art : Art::builtinIcons())
        writeFile(dir.filePath(art.name + "@3x.png"),
                  png(Art::renderAt(art.draw, 3 * Art::kIconSide)));
    writeSizedIcon(dir, Art::documentIcon());
    writeSizedIcon(dir, Art::optionsIcon());
    writeThemeIcons(dir);

    // Each picture the dialogs show also comes at twice its size, for screens
    // with two device pixels to the point.
    const QImage boxHand = Art::pointingHand(kIconBoxHotSpot);
    writeFile(dir.filePath("hand.cur"), PictureFiles::monochromeCursor(boxHand, kIconBoxHotSpot));
    writeFile(dir.filePath("hand@2x.png"), png(Art::doubledPixelArt(boxHand)));
    const QImage logoHand = Art::pointingHand(Art::kHandFingerTipAtTop);
    writeFile(dir.filePath("logohand.ico"), PictureFiles::trueColourIcon(logoHand));
    writeFile(dir.filePath("logohand@2x.png"), png(Art::doubledPixelArt(logoHand)));
    writeSizedPointer(dir, "hand", boxHand, kIconBoxHotSpot);
    writeSizedPointer(dir, "logohand", logoHand, Art::kHandFingerTipAtTop);

    const QImage banner = Art::logoBanner();
    checkBanner(banner);
    writeFile(dir.filePath("logo.bmp"), PictureFiles::trueColourBitmap(banner));
    // Opaque, yet with an alpha channel: tarrowin.exe reads a PNG through
    // the icon loader, which expects 32-bit images; Wine's reads a 24-bit
    // one's red as blue.
    writeFile(dir.filePath("logo@2x.png"),
              png(Art::logoBanner(2).convertToFormat(QImage::Format_ARGB32)));
    writeFile(
        dir.filePath("browse.gif"),
        PictureFiles::gifFile(Art::browsePicture(), kBrowseTableSize, kBrowseTransparentIndex));
    writeFile(dir.filePath("browse@2x.png"), png(Art::browsePicture(2)));

    writeFile(sheetPath, png(Art::contactSheet(dir)));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PICTURE_DIR CONTACT_SHEET_PNG\n", argv[0]);
        return 2;
    }
    try {
        generate(QDir(QDir::cleanPath(QString::fromLocal8Bit(argv[1]))),
                 QDir::cleanPath(QString::fromLocal8Bit(argv[2])));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "picture generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
