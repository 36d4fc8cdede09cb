#include "Pictures.h"

#include "IconFile.h"

#include <QFile>
#include <array>

// Resources compiled into a static library are only registered when something
// refers to them; Q_INIT_RESOURCE does, and it must be called from the global
// namespace.
static void registerPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace Pictures {

namespace {

constexpr std::array<const char*, 7> kBuiltinNames = {"gear",  "arrow", "scissors", "folder",
                                                      "files", "cd",    "monitor"};
constexpr qreal kDenseRatio = 2.0;
// The logo pointer is an icon, which has no hot spot of its own.
constexpr QPoint kLogoHotSpot{5, 0};

QString resource(const QString& file) {
    static const bool registered = (registerPictureResources(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/pictures/") + file;
}

QByteArray resourceBytes(const QString& file) {
    QFile resourceFile(resource(file));
    return resourceFile.open(QIODevice::ReadOnly) ? resourceFile.readAll() : QByteArray();
}

QPixmap softIcon(const QString& file) {
    const QByteArray bytes = resourceBytes(file);
    return QPixmap::fromImage(IconFile::read(bytes, IconFile::deepestImage(bytes)));
}

// The 64x64 rendering as 64 plain pixels. Read by its file name alone it
// would be marked as twice as dense, and an icon would offer it as one more
// 32x32 image: the window manager would never get the sharp one.
QPixmap denseRendering(const QString& name) {
    QImage dense(resource(name + "@2x.png"));
    dense.setDevicePixelRatio(1.0);
    return QPixmap::fromImage(dense);
}

QIcon windowIcon(const QString& name) {
    QIcon icon;
    icon.addPixmap(softIcon(name + ".ico"));
    icon.addPixmap(denseRendering(name));
    return icon;
}

} // namespace

int builtinIconCount() { return int(kBuiltinNames.size()); }

QPixmap builtinIcon(int index, qreal devicePixelRatio) {
    if (index < 0 || index >= builtinIconCount()) return {};
    const QString name = QLatin1String(kBuiltinNames[std::size_t(index)]);
    if (devicePixelRatio >= kDenseRatio) {
        QPixmap dense = denseRendering(name);
        dense.setDevicePixelRatio(kDenseRatio);
        return dense;
    }
    return softIcon(name + ".ico");
}

QIcon progressWindowIcon() { return windowIcon("document"); }

QIcon optionsWindowIcon() { return windowIcon("options"); }

QCursor iconBoxCursor() {
    const QByteArray bytes = resourceBytes("hand.cur");
    const QPoint hotSpot = IconFile::hotSpot(bytes, 0);
    return QCursor(QPixmap::fromImage(IconFile::read(bytes, 0)), hotSpot.x(), hotSpot.y());
}

QCursor logoCursor() {
    return QCursor(QPixmap::fromImage(IconFile::read(resourceBytes("logohand.ico"), 0)),
                   kLogoHotSpot.x(), kLogoHotSpot.y());
}

QPixmap logoBanner() { return QPixmap(resource("logo.bmp")); }

QPixmap browsePicture() { return QPixmap(resource("browse.gif")); }

} // namespace Pictures
