// The bars as the screen shows them: every position drawn, and at ticks faster
// than frames the latest position once per frame.
#include "QtHarness.h"
#include "ScreenPixels.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The distinct pictures of a bar's middle row that the screen showed.
class DrawnRows {
public:
    void add(QProgressBar* bar) {
        const QImage row = middleRow(drawnOnScreen(bar));
        if (std::find(rows_.begin(), rows_.end(), row) == rows_.end()) rows_.push_back(row);
    }
    std::size_t count() const { return rows_.size(); }

private:
    std::vector<QImage> rows_;
};

class DrawnBars : public ::testing::Test {
protected:
    void SetUp() override {
        h.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.w1()));
        h.qt1().timer().setEnabled(false); // the test ticks by hand
    }
    QtHarness h;
};

TEST_F(DrawnBars, EveryPositionOfBothBarsReachesTheScreen) {
    // One step of a 353-pixel bar is under nine pixels: less than the style's
    // chunk, for which the bar itself would not repaint.
    Form1Widget& f = h.w1();
    DrawnRows first, second;
    first.add(f.PB[0]);
    second.add(f.PB[1]);
    for (int i = 0; i < Form1::kBarSteps; ++i) {
        h.tick();
        first.add(f.PB[0]);
    }
    EXPECT_EQ(first.count(), std::size_t(Form1::kBarSteps)) << "positions 0 to 40 of the first bar";
    for (int pass = 1; pass < 4; ++pass) {
        second.add(f.PB[1]);
        h.tick(Form1::kBarSteps);
    }
    second.add(f.PB[1]);
    EXPECT_EQ(second.count(), 5u) << "positions 0 to 4 of the second bar";
}

TEST_F(DrawnBars, FastTicksShowTheLatestPositionOncePerFrame) {
    Form1Widget& f = h.w1();
    for (TextBox* box : h.dialog().Speedbox)
        box->setText(u"1");
    h.dialog().Command2_Click(); // 1 ms from now on
    h.qt1().timer().setEnabled(false);
    const QImage before = drawnOnScreen(f.PB[0]);
    h.tick(3);
    EXPECT_EQ(h.Form1().PB[0]->value(), 3) << "the position is current at every tick";
    EXPECT_EQ(drawnOnScreen(f.PB[0]), before) << "the repaint waits for the frame";
    EXPECT_TRUE(QTest::qWaitFor([&] { return drawnOnScreen(f.PB[0]) != before; }, 5000))
        << "the held repaint comes within a frame";
    EXPECT_EQ(middleRow(drawnOnScreen(f.PB[0])).convertToFormat(QImage::Format_RGB32),
              middleRow(f.PB[0]->grab().toImage()).convertToFormat(QImage::Format_RGB32))
        << "of the latest position";
}

} // namespace
