#include "Pictures.h"

#include "IconFile.h"
#include "PictureScale.h"

#include <QFile>
#include <QGuiApplication>
#include <array>

// Resources compiled into a static library are only registered when something
// refers to them; Q_INIT_RESOURCE does, and it must be called from the global
// namespace.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace Pictures {

namespace {

constexpr std::array<const char*, 7> kBuiltinNames = {"gear",  "arrow", "scissors", "folder",
                                                      "files", "cd",    "monitor"};
// The 2x renderings are marked as twice as dense, the 3x ones as three times.
constexpr qreal kDenseRatio = 2.0;
constexpr qreal kDenseFromRatio = PictureScale::kDoubleFromRatio;
constexpr qreal kDenserRatio = 3.0;
constexpr qreal kDenserFromRatio = PictureScale::kTripleFromRatio;
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

// A picture's pixels as they are, whatever its file name says: a name ending
// in "@2x" would otherwise mark it as twice as dense.
QPixmap plainPixels(const QString& file) {
    QImage image(resource(file));
    image.setDevicePixelRatio(1.0);
    return QPixmap::fromImage(image);
}

// The 2x (or 3x) rendering of a picture, marked as such.
QPixmap dense(const QString& file, qreal ratio = kDenseRatio) {
    QPixmap pixmap = plainPixels(file);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// The hot spot is in device-independent pixels, so it is the same for both.
QCursor handCursor(const QString& file, const QString& denseFile, QPoint hotSpot,
                   qreal devicePixelRatio) {
    const QPixmap hand = devicePixelRatio >= kDenseFromRatio
                             ? dense(denseFile)
                             : QPixmap::fromImage(IconFile::read(resourceBytes(file), 0));
    return QCursor(hand, hotSpot.x(), hotSpot.y());
}

QIcon windowIcon(const QString& name) {
    QIcon icon;
    icon.addPixmap(softIcon(name + ".ico"));
    // The 64x64 rendering as 64 plain pixels: marked as twice as dense, an
    // icon would offer it as one more 32x32 image and the window manager
    // would never get the sharp one.
    icon.addPixmap(plainPixels(name + "@2x.png"));
    return icon;
}

} // namespace

int builtinIconCount() {
    return int(kBuiltinNames.size());
}

QPixmap builtinIcon(int index, qreal devicePixelRatio) {
    if (index < 0 || index >= builtinIconCount()) return {};
    const QString name = QLatin1String(kBuiltinNames[std::size_t(index)]);
    if (devicePixelRatio >= kDenserFromRatio) return dense(name + "@3x.png", kDenserRatio);
    if (devicePixelRatio >= kDenseFromRatio) return dense(name + "@2x.png");
    return softIcon(name + ".ico");
}

QIcon progressWindowIcon() {
    return windowIcon("document");
}

QIcon optionsWindowIcon() {
    return windowIcon("options");
}

qreal screenPixelRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QCursor iconBoxCursor(qreal devicePixelRatio) {
    return handCursor("hand.cur", "hand@2x.png", IconFile::hotSpot(resourceBytes("hand.cur"), 0),
                      devicePixelRatio);
}

QCursor logoCursor(qreal devicePixelRatio) {
    return handCursor("logohand.ico", "logohand@2x.png", kLogoHotSpot, devicePixelRatio);
}

QPixmap logoBanner(qreal devicePixelRatio) {
    return devicePixelRatio >= kDenseFromRatio ? dense("logo@2x.png")
                                               : QPixmap(resource("logo.bmp"));
}

QPixmap browsePicture(qreal devicePixelRatio) {
    return devicePixelRatio >= kDenseFromRatio ? dense("browse@2x.png")
                                               : QPixmap(resource("browse.gif"));
}

} // namespace Pictures
