#include "PictureFile.h"

#include "Diagnostics.h"
#include "PictureBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <span>

namespace {
constexpr QSize kIconSize{32, 32};

// Qt's bitmap reader shows whatever rows a cut-off file still holds; an
// uncompressed bitmap must hold all of its rows to count as a picture.
bool bitmapComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray start = file.read(PictureBytes::BitmapLayout::kHeaderBytesRead);
    return PictureBytes::bitmapComplete(std::as_bytes(std::span(start.constData(), start.size())),
                                        std::uint64_t(file.size()));
}

// The 32 x 32 image with the most colours among those of an icon file.
int bestIconImage(QImageReader& reader) {
    int best = 0;
    int bestDepth = -1;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
        const int depth = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
        if (reader.size() == kIconSize && depth > bestDepth) {
            best = i;
            bestDepth = depth;
        }
    }
    return best;
}

// The line a picture that is not shown leaves, when diagnostics are asked for.
QPixmap refused(const QString& path, const QString& why) {
    if (Diagnostics::enabled())
        Diagnostics::note(Diagnostics::Area::Picture,
                          (path + QStringLiteral(": ") + why).toStdString());
    return {};
}
} // namespace

QPixmap readPictureFile(const QString& path) {
    // Only a plain file: opening a FIFO or a device would wait for a writer, or
    // read without end.
    if (!QFileInfo(path).isFile()) return refused(path, QStringLiteral("not a plain file"));
    QImageReader::setAllocationLimit(kMaxDecodedMegabytes);
    QImageReader reader(path);
    if (reader.format() == "bmp" && !bitmapComplete(path))
        return refused(path, QStringLiteral("a bitmap whose pixels are missing or too large"));
    if (reader.format() == "ico" && reader.imageCount() > 1 &&
        !reader.jumpToImage(bestIconImage(reader)))
        return refused(path, reader.errorString());
    QImage picture = reader.read();
    if (picture.isNull()) return refused(path, reader.errorString());
    // The reader takes a scale factor from an "@2x" in the file's name; a user's
    // picture is shown pixel for pixel whatever it is called.
    picture.setDevicePixelRatio(1.0);
    return QPixmap::fromImage(picture);
}
