#include "ContactSheet.h"

#include "IconFile.h"
#include "Raster.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <stdexcept>

namespace Art {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 8;
constexpr int kZoom = 4;
constexpr int kCheck = 8;
constexpr int kTitleHeight = 22;
constexpr int kColumns = 2;
constexpr int kPad = 4;
constexpr QRgb kWindowFace = qRgb(0xef, 0xef, 0xef);
constexpr QRgb kDark = qRgb(0x2b, 0x2b, 0x2e);
constexpr QRgb kGrounds[] = {kWindowFace, qRgb(255, 255, 255), kDark};
constexpr int kGroundCount = 3;

const char* const kTwoImageIcons[] = {"gear", "arrow",   "scissors", "folder", "files",
                                      "cd",   "monitor", "document", "options"};

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
    // Shown pixel for pixel, as a dense screen shows a 2x file, not at the
    // half size Qt gives an "@2x" file name.
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The three grounds side by side, each with the picture at 1x above its 2x
// rendering.
QSize groundsSize(const QImage& normal, const QImage& doubled) {
    const int column = std::max(normal.width(), doubled.width()) + 2 * kPad;
    return {kGroundCount * column, normal.height() + doubled.height() + 3 * kPad};
}

class Sheet {
public:
    Sheet(int width, int height) : image_(width, height, QImage::Format_ARGB32) {
        image_.fill(Qt::white);
        const int id =
            QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) font_ = QFont(families.first());
        font_.setPixelSize(13);
    }

    void title(QPoint at, const QString& text) {
        QPainter p(&image_);
        p.setFont(font_);
        p.setPen(Qt::black);
        p.drawText(QRect(at, QSize(image_.width(), kTitleHeight - 4)),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    // The picture enlarged on a checkerboard, so that every pixel and every
    // degree of transparency shows. Returns the width taken.
    int enlarged(QPoint at, const QImage& picture) {
        QPainter p(&image_);
        const QRect area(at, picture.size() * kZoom);
        for (int y = 0; y < area.height(); y += kCheck)
            for (int x = 0; x < area.width(); x += kCheck)
                p.fillRect(QRect(at + QPoint(x, y), QSize(kCheck, kCheck)).intersected(area),
                           (x / kCheck + y / kCheck) % 2 ? QColor(0xd6, 0xd6, 0xd6)
                                                         : QColor(Qt::white));
        p.drawImage(at, magnified(picture, kZoom));
        return area.width();
    }

    // Real size on the window's face, on white and on dark. Returns the width taken.
    int grounds(QPoint at, const QImage& normal, const QImage& doubled) {
        QPainter p(&image_);
        const QSize size = groundsSize(normal, doubled);
        const int column = size.width() / kGroundCount;
        for (int i = 0; i < kGroundCount; ++i) {
            const QPoint corner = at + QPoint(i * column, 0);
            p.fillRect(QRect(corner, QSize(column, size.height())), QColor(kGrounds[i]));
            p.setPen(QColor(0xc0, 0xc0, 0xc0));
            p.drawRect(QRect(corner, QSize(column - 1, size.height() - 1)));
            p.drawImage(corner + QPoint(kPad, kPad), normal);
            p.drawImage(corner + QPoint(kPad, 2 * kPad + normal.height()), doubled);
        }
        return size.width();
    }

    void place(QPoint at, const QImage& picture) {
        QPainter p(&image_);
        p.drawImage(at, picture);
    }

    const QImage& image() const { return image_; }

private:
    QImage image_;
    QFont font_;
};

} // namespace

QImage contactSheet(const QDir& pictures) {
    auto read = [&](const QString& file, int index = 0) {
        return readImage(pictures.filePath(file), index);
    };
    const QImage banner = read("logo.bmp");
    const QImage denseBanner = read("logo@2x.png");
    const QSize iconGrounds =
        groundsSize(QImage(kIconSide, kIconSide, QImage::Format_ARGB32),
                    QImage(2 * kIconSide, 2 * kIconSide, QImage::Format_ARGB32));
    const int zoomedIcon = kIconSide * kZoom;
    const int cellWidth = 2 * (zoomedIcon + kGap) + iconGrounds.width() + 2 * kGap;
    const int cellHeight = kTitleHeight + std::max(zoomedIcon, iconGrounds.height()) + 2 * kGap;
    const int iconRows = int(std::size(kTwoImageIcons) + kColumns - 1) / kColumns;
    const int pointerRowHeight =
        kTitleHeight + std::max(zoomedIcon, iconGrounds.height()) + 2 * kGap;
    const int bannerRowHeight = kTitleHeight + denseBanner.height() + 2 * kGap;
    const int zoomedBannerHeight = kTitleHeight + banner.height() * kZoom;
    Sheet sheet(std::max(2 * kMargin + kColumns * cellWidth, 2 * kMargin + banner.width() * kZoom),
                2 * kMargin + iconRows * cellHeight + pointerRowHeight + bannerRowHeight +
                    zoomedBannerHeight);

    for (std::size_t i = 0; i < std::size(kTwoImageIcons); ++i) {
        const QString name = kTwoImageIcons[i];
        const QPoint cell(kMargin + int(i % kColumns) * cellWidth,
                          kMargin + int(i / kColumns) * cellHeight);
        sheet.title(cell, name + ".ico: 32 bit, 8 bit; 1x and @2x on the face, white, dark");
        QPoint at = cell + QPoint(0, kTitleHeight);
        at.rx() += sheet.enlarged(at, read(name + ".ico", 1)) + kGap;
        at.rx() += sheet.enlarged(at, read(name + ".ico", 0)) + kGap;
        sheet.grounds(at, read(name + ".ico", 1), read(name + "@2x.png"));
    }

    // The pointers and the button picture, each with its 2x rendering.
    QPoint at(kMargin, kMargin + iconRows * cellHeight);
    for (const auto& [file, dense] : {std::pair{"hand.cur", "hand@2x.png"},
                                      {"logohand.ico", "logohand@2x.png"},
                                      {"browse.gif", "browse@2x.png"}}) {
        sheet.title(at, QString("%1, %2").arg(file, dense));
        const QImage normal = read(file);
        QPoint body = at + QPoint(0, kTitleHeight);
        body.rx() += sheet.enlarged(body, normal) + kGap;
        body.rx() += sheet.grounds(body, normal, read(dense)) + 3 * kGap;
        at.setX(body.x());
    }

    at = QPoint(kMargin, kMargin + iconRows * cellHeight + pointerRowHeight);
    sheet.title(at, "logo.bmp, logo@2x.png");
    sheet.place(at + QPoint(0, kTitleHeight), banner);
    sheet.place(at + QPoint(banner.width() + 2 * kGap, kTitleHeight), denseBanner);
    at.ry() += bannerRowHeight;
    sheet.title(at, "logo.bmp enlarged");
    sheet.enlarged(at + QPoint(0, kTitleHeight), banner);
    return sheet.image();
}

} // namespace Art
