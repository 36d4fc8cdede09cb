// A user's picture file as the Qt program reads it: an icon file of several
// images drawn from the one that fits the screen's scale, at the size the file
// stands for, by the same rule as tarrowin.exe.
#include "PictureFile.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

TEST(PictureFile, AnIconOfSeveralImagesDrawsFromTheSmallestAtLeastTheScaledSize) {
    // 16, 20, 24, 32, 40, 48 and 64 pixels as bitmaps, 256 as PNG.
    const QString icon = QStringLiteral(TARROWIN_PICTURE_DIR "/options-sizes.ico");
    struct Case {
        qreal scale;
        int source;
    };
    for (const Case c : {Case{1.0, 32}, Case{1.25, 40}, Case{1.5, 48}, Case{1.75, 64},
                         Case{2.0, 64}, Case{2.5, 256}}) {
        const QPixmap picture = readPictureFile(icon, c.scale);
        ASSERT_FALSE(picture.isNull()) << "at " << c.scale;
        EXPECT_EQ(picture.width(), c.source) << "image chosen at " << c.scale;
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(32, 32)) << "drawn at " << c.scale;
    }
}

} // namespace
