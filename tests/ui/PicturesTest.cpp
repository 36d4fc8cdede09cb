// What the windows get from the picture accessors.

#include "Pictures.h"
#include "IconBytes.h"

#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>

#include <utility>

namespace {

const char* const kBuiltinFiles[] = {"gear",  "arrow", "scissors", "folder",
                                     "files", "cd",    "monitor"};

QImage argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The stored icon setting is an index, so the order must never change.
TEST(BuiltinIcons, AreTheSoftImagesOfTheirFilesInListOrder) {
    ASSERT_EQ(Pictures::builtinIconCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(kBuiltinFiles[i]);
        const QPixmap icon = Pictures::builtinIcon(i);
        ASSERT_EQ(icon.size(), QSize(32, 32));
        EXPECT_EQ(icon.devicePixelRatio(), 1.0);
        const QImage soft =
            IconBytes::decode(IconBytes::pictureFile(QString(kBuiltinFiles[i]) + ".ico"), 1)
                .colours;
        const QImage shown = argb(icon);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(qAlpha(shown.pixel(x, y)), qAlpha(soft.pixel(x, y)))
                    << "pixel " << x << "," << y;
    }
}

TEST(BuiltinIcons, UseTheDoubleSizeRenderingOnDenseScreens) {
    for (int i = 0; i < 7; ++i) {
        const QPixmap dense = Pictures::builtinIcon(i, 2.0);
        EXPECT_EQ(dense.size(), QSize(64, 64));
        EXPECT_EQ(dense.devicePixelRatio(), 2.0);
        EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(32, 32));
        // From 125 % on the doubled rendering, from 225 % on the tripled one,
        // as the scales a desktop offers come.
        for (const auto& [ratio, side] :
             {std::pair{1.2, 32}, std::pair{1.25, 64}, std::pair{1.5, 64}, std::pair{2.0, 64},
              std::pair{2.25, 96}, std::pair{3.0, 96}}) {
            const QPixmap scaled = Pictures::builtinIcon(i, ratio);
            EXPECT_EQ(scaled.size(), QSize(side, side)) << "at " << ratio;
            EXPECT_EQ(scaled.deviceIndependentSize(), QSizeF(32, 32)) << "at " << ratio;
        }
    }
}

TEST(BuiltinIcons, OtherIndicesGiveNoPicture) {
    EXPECT_TRUE(Pictures::builtinIcon(-1).isNull());
    EXPECT_TRUE(Pictures::builtinIcon(7).isNull());
    EXPECT_TRUE(Pictures::builtinIcon(7, 2.0).isNull());
}

TEST(WindowIcons, OfferTheIconSizeAndTheDenseSize) {
    const std::pair<QIcon, const char*> icons[] = {{Pictures::progressWindowIcon(), "document"},
                                                   {Pictures::optionsWindowIcon(), "options"}};
    for (const auto& [icon, file] : icons) {
        SCOPED_TRACE(file);
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(32, 32)));
        EXPECT_TRUE(sizes.contains(QSize(64, 64)));
        // What the window system is handed: each offered size as device pixels.
        QList<QSize> handed;
        for (const QSize& size : sizes)
            handed += icon.pixmap(size, 1.0).size();
        EXPECT_TRUE(handed.contains(QSize(64, 64)))
            << "the dense rendering, not the small one again";
        QImage dense(QStringLiteral(":/pictures/%1@2x.png").arg(file));
        dense.setDevicePixelRatio(1.0);
        constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;
        EXPECT_EQ(icon.pixmap(QSize(64, 64), 1.0).toImage().convertToFormat(kFormat),
                  dense.convertToFormat(kFormat));
        const QImage small = argb(icon.pixmap(QSize(32, 32)));
        int soft = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                soft += qAlpha(small.pixel(x, y)) % 255 != 0;
        EXPECT_GT(soft, 0) << "the 32-bit image, not the 256-colour one";
    }
}

TEST(Pointers, AreHandsWithTheirHotSpotsAtTheFingerTip) {
    const QCursor box = Pictures::iconBoxCursor();
    EXPECT_EQ(box.shape(), Qt::BitmapCursor);
    EXPECT_EQ(box.hotSpot(), QPoint(12, 9));
    const QImage boxHand = argb(box.pixmap());
    ASSERT_EQ(boxHand.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(boxHand.pixel(12, 9)), 255);
    EXPECT_EQ(qAlpha(boxHand.pixel(12, 8)), 0);

    const QCursor logo = Pictures::logoCursor();
    EXPECT_EQ(logo.hotSpot(), QPoint(5, 0));
    const QImage logoHand = argb(logo.pixmap());
    ASSERT_EQ(logoHand.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(logoHand.pixel(5, 0)), 255);
    // Qt alone would show this true-colour icon as an opaque square.
    EXPECT_EQ(qAlpha(logoHand.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(logoHand.pixel(31, 31)), 0);
}

TEST(DialogPictures, HaveTheirSizesAndTransparency) {
    const QPixmap banner = Pictures::logoBanner();
    EXPECT_EQ(banner.size(), QSize(222, 50));
    EXPECT_FALSE(banner.hasAlphaChannel());

    const QImage folder = argb(Pictures::browsePicture());
    ASSERT_EQ(folder.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(folder.pixel(15, 0)), 0);
    EXPECT_EQ(qAlpha(folder.pixel(8, 12)), 255);
}

// On a screen with two device pixels to the point the dialogs get the 2x
// renderings, at the same size in device-independent pixels.
TEST(DialogPictures, AreTwiceAsLargeOnDenseScreens) {
    const QPixmap banner = Pictures::logoBanner(2.0);
    EXPECT_EQ(banner.size(), QSize(444, 100));
    EXPECT_EQ(banner.deviceIndependentSize(), QSizeF(222, 50));
    EXPECT_FALSE(banner.hasAlphaChannel());
    EXPECT_EQ(Pictures::logoBanner(1.25).size(), QSize(444, 100));
    EXPECT_EQ(Pictures::logoBanner(1.2).size(), QSize(222, 50));

    const QPixmap folder = Pictures::browsePicture(2.0);
    EXPECT_EQ(folder.deviceIndependentSize(), QSizeF(16, 16));
    const QImage dense = argb(folder);
    ASSERT_EQ(dense.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(dense.pixel(31, 0)), 0);
    EXPECT_EQ(qAlpha(dense.pixel(17, 25)), 255);
}

TEST(Pointers, AreTwiceAsLargeOnDenseScreensWithTheSameHotSpots) {
    struct Case {
        QCursor cursor;
        QPoint hotSpot;
    };
    for (const Case& c :
         {Case{Pictures::iconBoxCursor(2.0), {12, 9}}, Case{Pictures::logoCursor(2.0), {5, 0}}}) {
        EXPECT_EQ(c.cursor.hotSpot(), c.hotSpot);
        const QImage hand = argb(c.cursor.pixmap());
        ASSERT_EQ(hand.size(), QSize(64, 64));
        // The finger tip's top row is the hot spot's row, twice as far down.
        int top = -1;
        for (int y = 0; y < 64 && top < 0; ++y)
            for (int x = 0; x < 64; ++x)
                if (qAlpha(hand.pixel(x, y)) != 0) top = y;
        EXPECT_EQ(top, 2 * c.hotSpot.y());
        EXPECT_EQ(qAlpha(hand.pixel(2 * c.hotSpot.x() + 1, 2 * c.hotSpot.y())), 255);
    }
}

} // namespace
