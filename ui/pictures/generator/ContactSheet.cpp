#include "ContactSheet.h"

#include "IconFile.h"
#include "Raster.h"

#include <QFontDatabase>
#include <QFile>
#include <QPainter>
#include <stdexcept>

namespace Art {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 8;
constexpr int kZoom = 4;
constexpr int kCheck = 8;
constexpr int kTitleHeight = 22;
constexpr int kColumns = 3;
constexpr int kIconCellWidth = 2 * (kIconSide * kZoom + kGap) + 2 * (kIconSide + kGap) + 2 * kGap;
constexpr int kIconCellHeight = kTitleHeight + kIconSide * kZoom + 2 * kGap;
constexpr int kSheetWidth = 2 * kMargin + kColumns * kIconCellWidth;

const char* const kTwoImageIcons[] = {"gear",  "arrow",   "scissors", "folder",  "files",
                                      "cd",    "monitor", "document", "options"};

// Reads a finished file the way the program will.
QImage readImage(const QString& path, int index = 0) {
    QImage image;
    if (path.endsWith(".ico") || path.endsWith(".cur")) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) image = Pictures::IconFile::read(file.readAll(), index);
    } else {
        image = QImage(path);
    }
    if (image.isNull()) throw std::runtime_error("cannot read " + path.toStdString());
    return image.convertToFormat(QImage::Format_ARGB32);
}

class Sheet {
public:
    explicit Sheet(int height) : image_(kSheetWidth, height, QImage::Format_ARGB32) {
        image_.fill(Qt::white);
        QPainter p(&image_);
        for (int y = 0; y < height; y += kCheck)
            for (int x = 0; x < kSheetWidth; x += kCheck)
                if ((x / kCheck + y / kCheck) % 2) p.fillRect(x, y, kCheck, kCheck, QColor(0xd8, 0xd8, 0xd8));
        const int id = QFontDatabase::addApplicationFont(
            "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) font_ = QFont(families.first());
        font_.setPixelSize(13);
    }

    void title(QPoint at, const QString& text) {
        QPainter p(&image_);
        p.setFont(font_);
        p.setPen(Qt::black);
        const QRect box(at, QSize(QFontMetrics(font_).horizontalAdvance(text) + 8, kTitleHeight - 4));
        p.fillRect(box, QColor(255, 255, 255, 220));
        p.drawText(box, Qt::AlignCenter, text);
    }

    void place(QPoint at, const QImage& picture, int zoom) {
        QPainter p(&image_);
        p.drawImage(at, zoom == 1 ? picture : magnified(picture, zoom));
    }

    const QImage& image() const { return image_; }

private:
    QImage image_;
    QFont font_;
};

} // namespace

QImage contactSheet(const QDir& pictures) {
    const int iconRows = (std::size(kTwoImageIcons) + kColumns - 1) / kColumns;
    const QImage banner = readImage(pictures.filePath("logo.bmp"));
    const int smallRowHeight = kTitleHeight + kIconSide * kZoom + 2 * kGap;
    const int bannerHeight = kTitleHeight + banner.height() * kZoom + kGap;
    Sheet sheet(2 * kMargin + iconRows * kIconCellHeight + smallRowHeight + bannerHeight);

    // Each icon: its 32-bit and its 256-colour image four times enlarged, then at
    // their own size, and the 64-pixel rendering for dense screens.
    for (std::size_t i = 0; i < std::size(kTwoImageIcons); ++i) {
        const QString name = kTwoImageIcons[i];
        const QPoint cell(kMargin + int(i % kColumns) * kIconCellWidth,
                          kMargin + int(i / kColumns) * kIconCellHeight);
        const QString file = pictures.filePath(name + ".ico");
        const QImage indexed = readImage(file, 0);
        const QImage alpha = readImage(file, 1);
        const QImage doubled = readImage(pictures.filePath(name + "@2x.png"));
        sheet.title(cell, name + ".ico   32 bit | 8 bit | @2x");
        const QPoint body = cell + QPoint(0, kTitleHeight);
        const int zoomed = kIconSide * kZoom;
        sheet.place(body, alpha, kZoom);
        sheet.place(body + QPoint(zoomed + kGap, 0), indexed, kZoom);
        const QPoint side = body + QPoint(2 * (zoomed + kGap), 0);
        sheet.place(side, alpha, 1);
        sheet.place(side + QPoint(kIconSide + kGap, 0), indexed, 1);
        sheet.place(side + QPoint(0, kIconSide + kGap), doubled, 1);
    }

    // The pointers and the button picture.
    int x = kMargin;
    const int y = kMargin + iconRows * kIconCellHeight;
    for (const char* file : {"hand.cur", "logohand.ico", "browse.gif"}) {
        const QImage picture = readImage(pictures.filePath(file));
        sheet.title({x, y}, file);
        sheet.place({x, y + kTitleHeight}, picture, kZoom);
        sheet.place({x + picture.width() * kZoom + kGap, y + kTitleHeight}, picture, 1);
        x += std::max(picture.width() * kZoom + picture.width() + 2 * kGap, 180) + kGap;
    }
    x += kGap;
    sheet.title({x, y}, "logo.bmp");
    sheet.place({x, y + kTitleHeight}, banner, 1);

    const int bannerTop = y + smallRowHeight;
    sheet.title({kMargin, bannerTop}, "logo.bmp x4");
    sheet.place({kMargin, bannerTop + kTitleHeight}, banner, kZoom);
    return sheet.image();
}

} // namespace Art
