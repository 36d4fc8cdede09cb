// The generator's drawing machinery: the integer rasteriser, the shapes built
// on it, the pixel-art doubling and the SVG writer.

#include "Raster.h"
#include "FixedRaster.h"
#include "Grid.h"
#include "Shapes.h"
#include "SvgCanvas.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace Art;

namespace {

constexpr QRgb kInk = qRgb(10, 20, 30);

QImage drawn(const QPainterPath& shape, int side = 8) {
    return rasterize(side, side, [&](Canvas& c) { c.fill(shape, kInk); });
}

TEST(FixedRaster, EdgesOnWholePixelsAreHardAndHalfwayEdgesHalfCovered) {
    const QImage whole = drawn(rectangle(2, 2, 6, 5));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
            ASSERT_EQ(whole.pixel(x, y), inside ? kInk : 0u) << x << "," << y;
        }
    const QImage half = drawn(rectangle(2.5, 2, 6, 5));
    EXPECT_EQ(qAlpha(half.pixel(2, 3)), 128);
    EXPECT_EQ(qRgb(qRed(half.pixel(2, 3)), qGreen(half.pixel(2, 3)), qBlue(half.pixel(2, 3))), kInk)
        << "coverage changes alpha, not colour";
    EXPECT_EQ(qAlpha(half.pixel(3, 3)), 255);
}

TEST(FixedRaster, AFortyFiveDegreeEdgeThroughPixelCornersStepsEvenly) {
    const QImage slope = drawn(polygon({{0, 0}, {8, 0}, {0, 8}}));
    const int onEdge = qAlpha(slope.pixel(0, 7));
    EXPECT_GT(onEdge, 100);
    EXPECT_LT(onEdge, 155);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(qAlpha(slope.pixel(x, 7 - x)), onEdge) << "column " << x;
        if (x < 7) {
            EXPECT_EQ(qAlpha(slope.pixel(x, 6 - x)), 255) << "column " << x;
        }
        if (x > 0) {
            EXPECT_EQ(qAlpha(slope.pixel(x, 8 - x)), 0) << "column " << x;
        }
    }
}

TEST(FixedRaster, KeepsHolesByEitherFillRule) {
    QPainterPath evenOdd = rectangle(0, 0, 8, 8);
    evenOdd.addPath(rectangle(2, 2, 6, 6));
    evenOdd.setFillRule(Qt::OddEvenFill);
    const QPainterPath subtracted = rectangle(0, 0, 8, 8).subtracted(circle({4, 4}, 2));
    for (const QPainterPath& ring : {evenOdd, subtracted}) {
        const QImage image = drawn(ring);
        EXPECT_EQ(qAlpha(image.pixel(1, 1)), 255);
        EXPECT_EQ(qAlpha(image.pixel(3, 3)), 0);
        EXPECT_EQ(qAlpha(image.pixel(4, 4)), 0);
    }
}

TEST(FixedRaster, BlendsLayersAndShadesGradientsAtPixelCentres) {
    const QImage blended = rasterize(2, 1, [](Canvas& c) {
        c.fill(rectangle(0, 0, 2, 1), qRgb(0, 0, 0));
        c.fill(rectangle(0, 0, 1, 1), qRgba(255, 255, 255, 128));
    });
    EXPECT_EQ(blended.pixel(0, 0), qRgba(128, 128, 128, 255));
    EXPECT_EQ(blended.pixel(1, 0), qRgba(0, 0, 0, 255));

    const QImage ramp = rasterize(8, 1, [](Canvas& c) {
        c.fill(rectangle(0, 0, 8, 1),
               Paint::linear({0, 0}, {8, 0}, {{0, qRgb(0, 0, 0)}, {1, qRgb(255, 255, 255)}}));
    });
    for (int x = 1; x < 8; ++x)
        EXPECT_GT(qRed(ramp.pixel(x, 0)), qRed(ramp.pixel(x - 1, 0)));
    EXPECT_EQ(qRed(ramp.pixel(0, 0)), 16) << "a sixteenth of the way, at the first pixel's centre";
}

TEST(Shapes, RimsAndSweepsFollowTheOutline) {
    const QImage rim = drawn(innerRim(rectangle(0, 0, 8, 8), 1));
    EXPECT_EQ(qAlpha(rim.pixel(0, 3)), 255);
    EXPECT_EQ(qAlpha(rim.pixel(3, 0)), 255);
    EXPECT_EQ(qAlpha(rim.pixel(7, 7)), 255);
    EXPECT_EQ(qAlpha(rim.pixel(1, 3)), 0);

    const QImage swept = drawn(sweptDown(polygon({{2, 1}, {5, 1}, {2, 4}}), 3));
    EXPECT_EQ(qAlpha(swept.pixel(2, 5)), 255) << "the lowered copy";
    EXPECT_EQ(qAlpha(swept.pixel(3, 4)), 255) << "the band between the copies";
    EXPECT_EQ(qAlpha(swept.pixel(2, 7)), 0);
    EXPECT_EQ(qAlpha(swept.pixel(5, 5)), 0);
}

TEST(Grid, RimsAreWholePixelsGrowingSlowlyWithSize) {
    const std::pair<int, int> rims[] = {{16, 1}, {22, 1},  {32, 1}, {48, 1},
                                        {64, 2}, {128, 3}, {256, 6}};
    for (const auto& [side, rim] : rims)
        EXPECT_EQ(Grid{side}.rim(), rim) << side;
    EXPECT_EQ(Grid{64}.px(5), 10);
    EXPECT_EQ(Grid{16}.px(5), 3) << "halves round away from zero";
}

TEST(DoubledPixelArt, TurnsStairsIntoSlopesAndKeepsLonePixelsSquare) {
    const QRgb b = qRgb(0, 0, 0);
    const QImage stairs =
        pixelArt({"#..", "##.", "###"}, [&](char c) { return c == '#' ? b : 0u; });
    const QImage doubled = doubledPixelArt(stairs);
    ASSERT_EQ(doubled.size(), QSize(6, 6));
    EXPECT_EQ(doubled.pixel(0, 0), b);
    EXPECT_EQ(doubled.pixel(2, 1), b) << "the inner corner of a step is filled";
    EXPECT_EQ(doubled.pixel(3, 0), 0u);
    EXPECT_EQ(doubled.pixel(5, 5), b);

    const QImage lone = doubledPixelArt(pixelArt({"#"}, [&](char) { return b; }));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(lone.pixel(x, y), b);
}

TEST(SvgCanvas, WritesEachFillAsAPathWithItsPaint) {
    SvgCanvas svg(32);
    svg.fill(rectangle(0, 0, 4, 4), qRgba(255, 0, 0, 128));
    svg.fill(rectangle(4, 0, 8, 4),
             Paint::linear({4, 0}, {8, 0}, {{0, qRgb(0, 0, 0)}, {1, qRgb(255, 255, 255)}}));
    const QByteArray text = svg.document();
    EXPECT_TRUE(text.contains("d=\"M0,0L4,0L4,4L0,4L0,0Z\"")) << text.constData();
    EXPECT_TRUE(text.contains("fill=\"#ff0000\" fill-opacity=\"0.502\""));
    EXPECT_TRUE(text.contains("fill=\"url(#g1)\""));
    QXmlStreamReader xml(text);
    int paths = 0, stops = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        paths += xml.isStartElement() && xml.name() == QStringLiteral("path");
        stops += xml.isStartElement() && xml.name() == QStringLiteral("stop");
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_EQ(paths, 2);
    EXPECT_EQ(stops, 2);
}

} // namespace
