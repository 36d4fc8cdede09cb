// The program's icon as the desktop's icon theme gets it, the gear the Windows
// program file shows: one file per theme size, each drawn at that size, and
// one scalable drawing.

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString kThemeDir = QStringLiteral(TARROWIN_PICTURE_DIR "/hicolor/");
const QString kName = QStringLiteral("example.quillmoor.Tarrowin");

class ThemeIcon : public testing::TestWithParam<int> {};

TEST_P(ThemeIcon, IsAPngOfItsSizeWithClearCornersAndTheGear) {
    const int side = GetParam();
    const QString path = kThemeDir + QString("%1x%1/apps/").arg(side) + kName + ".png";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    EXPECT_TRUE(file.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(side, side));
    // Clear in the corners, between the teeth; the teeth reach the edges.
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(image.pixel(0, side / 2)), 255) << "a tooth reaches the left edge";
    EXPECT_EQ(qAlpha(image.pixel(side / 2, side - 1)), 255) << "a tooth reaches the bottom";
    // A light wheel around a dark hub, both of the gear's violet-blue.
    const QRgb wheel = image.pixel(side / 2, side / 5);
    const QRgb hub = image.pixel(side / 2, side / 2);
    EXPECT_GT(qGray(wheel), qGray(hub) + 60);
    EXPECT_GT(qBlue(wheel), qRed(wheel));
    EXPECT_GT(qBlue(hub), qRed(hub));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThemeIcon, testing::Values(16, 22, 24, 32, 48, 64, 128, 256));

TEST(ThemeIcon, HasAScalableDrawingOnA32UnitSquare) {
    QFile file(kThemeDir + "scalable/apps/" + kName + ".svg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.attributes().value("viewBox"), QStringLiteral("0 0 32 32"));
    int paths = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("path")) {
            ++paths;
            EXPECT_FALSE(xml.attributes().value("d").isEmpty());
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_GE(paths, 3) << "the gear's wheel, teeth and hub";
}

} // namespace
