// The bars as the screen shows them: every position drawn, and at ticks faster
// than frames the latest position once per frame. The frames come when the
// test says so.
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
        h.stepFramesByHand();
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
        h.frame();
        first.add(f.PB[0]);
    }
    EXPECT_EQ(first.count(), std::size_t(Form1::kBarSteps)) << "positions 0 to 40 of the first bar";
    for (int pass = 1; pass < 4; ++pass) {
        second.add(f.PB[1]);
        h.tick(Form1::kBarSteps);
        h.frame();
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
    h.frame(); // a frame has just begun: what follows waits for the next
    const QImage before = drawnOnScreen(f.PB[0]);
    h.tick(3);
    EXPECT_EQ(h.Form1().PB[0]->value(), 3) << "the position is current at every tick";
    EXPECT_EQ(drawnOnScreen(f.PB[0]), before) << "the repaint waits for the frame";
    h.frame();
    const QImage after = drawnOnScreen(f.PB[0]);
    EXPECT_NE(after, before) << "the frame shows the held position";
    EXPECT_EQ(middleRow(after).convertToFormat(QImage::Format_RGB32),
              middleRow(f.PB[0]->grab().toImage()).convertToFormat(QImage::Format_RGB32))
        << "the latest one";
    EXPECT_EQ(f.PB[0]->value(), 3);
}

} // namespace
