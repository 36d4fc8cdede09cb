#include "PictureFile.h"

#include "Diagnostics.h"
#include "IconLayout.h"
#include "PictureBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <span>

namespace {
std::span<const std::byte> bytesOf(const QByteArray& bytes) {
    return std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size())));
}

// The line a picture that is not shown leaves, when diagnostics are asked for.
QPixmap refused(const QString& path, const QString& why) {
    if (Diagnostics::enabled())
        Diagnostics::note(Diagnostics::Area::Picture,
                          (path + QStringLiteral(": ") + why).toStdString());
    return {};
}

// The image of an icon file to draw at the scale, and how dense it is: the
// image twice as wide as the size the file stands for is marked with a ratio
// of 2, so that it is drawn at that size.
struct IconImage {
    int index = 0;
    qreal density = 1.0;
    bool withinLimit = true;
};

IconImage chooseIconImage(QFile& file, qreal scale) {
    file.seek(0);
    const QByteArray header = file.read(IconLayout::kHeaderBytes);
    file.seek(0);
    const QByteArray directoryBytes =
        file.read(qint64(PictureBytes::iconDirectoryBytes(bytesOf(header))));
    const std::optional<PictureBytes::IconDirectory> directory =
        PictureBytes::readIconDirectory(bytesOf(directoryBytes));
    if (!directory) return {}; // the reader's own verdict
    const PictureBytes::IconChoice choice = PictureBytes::chooseIconImage(*directory, scale);
    const PictureBytes::IconEntry& chosen = directory->images[choice.index];
    file.seek(chosen.offset);
    const QByteArray imageStart = file.read(PictureBytes::kHeaderBytesRead);
    return {int(choice.index), qreal(chosen.width) / choice.logical.width,
            PictureBytes::withinDecodeLimit(bytesOf(imageStart))};
}
} // namespace

QPixmap readPictureFile(const QString& path, qreal scale) {
    // Only a plain file: opening a FIFO or a device would wait for a writer, or
    // read without end.
    if (!QFileInfo(path).isFile()) return refused(path, QStringLiteral("not a plain file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refused(path, file.errorString());
    const QByteArray start = file.read(PictureBytes::kHeaderBytesRead);
    // Qt's bitmap reader shows whatever rows a cut-off file still holds; an
    // uncompressed bitmap must hold all of its rows to count as a picture.
    if (!PictureBytes::bitmapComplete(bytesOf(start), std::uint64_t(file.size())))
        return refused(path, QStringLiteral("a bitmap whose pixels are missing or too large"));
    if (!PictureBytes::withinDecodeLimit(bytesOf(start)))
        return refused(path, QStringLiteral("too large to decode"));
    // The same limit for the formats whose header the shared rule does not
    // read (JPEG and the others Qt reads): Qt refuses them while decoding.
    QImageReader::setAllocationLimit(kMaxDecodedMegabytes);
    QImageReader reader(path);
    qreal density = 1.0;
    if (reader.format() == "ico") {
        const IconImage icon = chooseIconImage(file, scale);
        if (!icon.withinLimit) return refused(path, QStringLiteral("too large to decode"));
        if (icon.index > 0 && !reader.jumpToImage(icon.index))
            return refused(path, reader.errorString());
        density = icon.density;
    }
    QImage picture = reader.read();
    if (picture.isNull()) return refused(path, reader.errorString());
    // The reader takes a scale factor from an "@2x" in the file's name; a user's
    // picture is shown pixel for pixel whatever it is called.
    picture.setDevicePixelRatio(density);
    return QPixmap::fromImage(picture);
}
