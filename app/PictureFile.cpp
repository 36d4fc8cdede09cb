#include "PictureFile.h"

#include <QImageReader>

namespace {
constexpr QSize kIconSize{32, 32};

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
} // namespace

QPixmap readPictureFile(const QString& path) {
    QImageReader::setAllocationLimit(kMaxDecodedMegabytes);
    QImageReader reader(path);
    if (reader.format() == "ico" && reader.imageCount() > 1 && !reader.jumpToImage(bestIconImage(reader)))
        return {};
    return QPixmap::fromImage(reader.read());
}
