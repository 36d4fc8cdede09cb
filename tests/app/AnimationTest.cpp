// The animation: bar positions, the message cycle and the speeds, tick by tick.
#include "Harness.h"
#include "ScreenPixels.h"

#include <algorithm>
#include <vector>

#include <QTest>
#include <gtest/gtest.h>

namespace {

class Animation : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    void setMessages(const QStringList& texts) {
        for (int i = 0; i < 5; ++i) h.Form2().Status[i]->setText(texts.value(i));
    }
    void setSpeeds(const QStringList& texts) {
        for (int i = 0; i < 5; ++i) h.Form2().Speedbox[i]->setText(texts.value(i));
    }
    QString label() { return h.Form1().ProcessName->text(); }
    int interval() { return h.Form1().Timer1.interval(); }
    Harness h;
};

TEST_F(Animation, FirstTickAndTheFortyFirst) {
    Form1& f = h.Form1();
    tick(f);
    EXPECT_EQ(f.PB[0]->value(), 1);
    EXPECT_EQ(f.PB[1]->value(), 0);
    tick(f, 39);
    EXPECT_EQ(f.PB[0]->value(), 40) << "full for one tick";
    EXPECT_EQ(label(), QStringLiteral("Reading Files..."));
    tick(f);
    EXPECT_EQ(f.PB[0]->value(), 0) << "empty on the next";
    EXPECT_EQ(f.PB[1]->value(), 1);
    EXPECT_EQ(h.program.MsgIndex, 1);
    EXPECT_EQ(label(), QStringLiteral("Linking Data..."));
    EXPECT_EQ(interval(), 200);
}

TEST_F(Animation, DefaultCycleShowsThreeMessagesAtTheirSpeeds) {
    Form1& f = h.Form1();
    EXPECT_EQ(interval(), 50);
    tick(f, 41);
    EXPECT_EQ(interval(), 200);
    tick(f, 41);
    EXPECT_EQ(label(), QStringLiteral("Updating..."));
    EXPECT_EQ(interval(), 400);
    tick(f, 41);
    EXPECT_EQ(label(), QStringLiteral("Reading Files...")) << "slot 3 is empty";
    EXPECT_EQ(h.program.MsgIndex, 0);
    EXPECT_EQ(interval(), 50);
    EXPECT_EQ(f.PB[1]->value(), 3);
}

TEST_F(Animation, SecondBarWrapsAfterFortyOnePasses) {
    Form1& f = h.Form1();
    tick(f, 41 * 40);
    EXPECT_EQ(f.PB[1]->value(), 40);
    EXPECT_EQ(f.PB[0]->value(), 0);
    tick(f, 41);
    EXPECT_EQ(f.PB[1]->value(), 0);
    EXPECT_EQ(f.Bar2Pos, 0);
}

TEST_F(Animation, AllFiveMessagesCycleInSlotOrder) {
    setMessages({"a", "b", "c", "d", "e"});
    setSpeeds({"10", "20", "30", "40", "60"});
    const QStringList expected{"b", "c", "d", "e", "a", "b"};
    const QList<int> speeds{20, 30, 40, 60, 10, 20};
    for (int i = 0; i < expected.size(); ++i) {
        tick(h.Form1(), 41);
        EXPECT_EQ(label(), expected[i]);
        EXPECT_EQ(interval(), speeds[i]);
    }
}

TEST_F(Animation, EmptySlotsEndTheCycleEarly) {
    // An empty slot 1 hides slot 2: only message 0 is ever shown.
    setMessages({"zero", "", "two"});
    setSpeeds({"70", "80", "90"});
    for (int pass = 0; pass < 3; ++pass) {
        tick(h.Form1(), 41);
        EXPECT_EQ(label(), QStringLiteral("zero"));
        EXPECT_EQ(interval(), 70);
        EXPECT_EQ(h.program.MsgIndex, 0);
    }
}

TEST_F(Animation, AnEmptyFirstMessageIsStillShown) {
    setMessages({"", "one", ""});
    setSpeeds({"70", "80"});
    h.Form1().ProcessName->setText(QString());
    tick(h.Form1(), 40);
    EXPECT_EQ(label(), QString());
    tick(h.Form1());
    EXPECT_EQ(label(), QStringLiteral("one"));
    tick(h.Form1(), 41);
    EXPECT_EQ(label(), QString()) << "back to the empty message 0";
    EXPECT_EQ(interval(), 70);
}

TEST_F(Animation, AllMessagesEmptyKeepsSpeedZero) {
    setMessages({});
    h.Form2().Speedbox[0]->setText(QStringLiteral("123"));
    tick(h.Form1(), 41 * 2);
    EXPECT_EQ(label(), QString());
    EXPECT_EQ(interval(), 123);
}

TEST_F(Animation, HiddenSecondBarKeepsAdvancing) {
    h.Form1().PB[1]->hide();
    tick(h.Form1(), 41 * 3);
    EXPECT_EQ(h.Form1().PB[1]->value(), 3);
    EXPECT_TRUE(h.Form1().PB[1]->isHidden());
}

TEST_F(Animation, EditsReachTheCycleWithoutApply) {
    h.Form2().Status[1]->setText(QStringLiteral("edited"));
    h.Form2().Speedbox[1]->setText(QStringLiteral("333"));
    tick(h.Form1(), 41);
    EXPECT_EQ(label(), QStringLiteral("edited"));
    EXPECT_EQ(interval(), 333);
}

TEST_F(Animation, SpeedWithoutWholeNumberKeepsThePreviousInterval) {
    // The previous interval is not the startup's 50: a fallback to that would show.
    setSpeeds({"70", "12abc", "8.5.5"});
    h.Form2().Command2_Click();
    EXPECT_EQ(h.Form2().Speedbox[1]->text(), QStringLiteral("12abc")) << "the rule lets it pass";
    tick(h.Form1(), 41);
    EXPECT_EQ(label(), QStringLiteral("Linking Data..."));
    EXPECT_EQ(interval(), 70);
    tick(h.Form1(), 41);
    EXPECT_EQ(label(), QStringLiteral("Updating..."));
    EXPECT_EQ(interval(), 70);
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
}

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

class DrawnBars : public Animation {
protected:
    void SetUp() override {
        Animation::SetUp();
        h.Form1().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.Form1()));
        h.Form1().Timer1.setEnabled(false); // the test ticks by hand
    }
};

TEST_F(DrawnBars, EveryPositionOfBothBarsReachesTheScreen) {
    // One step of a 353-pixel bar is under nine pixels: less than the style's
    // chunk, for which the bar itself would not repaint.
    Form1& f = h.Form1();
    DrawnRows first, second;
    first.add(f.PB[0]);
    second.add(f.PB[1]);
    for (int i = 0; i < Form1::kBarSteps; ++i) {
        tick(f);
        first.add(f.PB[0]);
    }
    EXPECT_EQ(first.count(), std::size_t(Form1::kBarSteps)) << "positions 0 to 40 of the first bar";
    for (int pass = 1; pass < 4; ++pass) {
        second.add(f.PB[1]);
        tick(f, Form1::kBarSteps);
    }
    second.add(f.PB[1]);
    EXPECT_EQ(second.count(), 5u) << "positions 0 to 4 of the second bar";
}

TEST_F(DrawnBars, FastTicksShowTheLatestPositionOncePerFrame) {
    Form1& f = h.Form1();
    setSpeeds({"1", "1", "1", "1", "1"});
    h.Form2().Command2_Click(); // 1 ms from now on
    const QImage before = drawnOnScreen(f.PB[0]);
    tick(f, 3);
    EXPECT_EQ(f.PB[0]->value(), 3) << "the position is current at every tick";
    EXPECT_EQ(drawnOnScreen(f.PB[0]), before) << "the repaint waits for the frame";
    EXPECT_TRUE(QTest::qWaitFor([&] { return drawnOnScreen(f.PB[0]) != before; }, 5000))
        << "the held repaint comes within a frame";
    EXPECT_EQ(middleRow(drawnOnScreen(f.PB[0])).convertToFormat(QImage::Format_RGB32),
              middleRow(f.PB[0]->grab().toImage()).convertToFormat(QImage::Format_RGB32)) << "of the latest position";
}

TEST_F(Animation, IntervalIsTheSpeedRoundedHalfToEven) {
    h.Form2().Speedbox[1]->setText(QStringLiteral("2.5"));
    h.Form2().Speedbox[2]->setText(QStringLiteral("3.5"));
    tick(h.Form1(), 41);
    EXPECT_EQ(interval(), 2);
    tick(h.Form1(), 41);
    EXPECT_EQ(interval(), 4);
}

} // namespace
