// The animation: bar positions, the message cycle and the speeds, tick by tick.
#include "Harness.h"

#include <gtest/gtest.h>

namespace {

class Animation : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    void setMessages(std::vector<std::u16string> texts) {
        texts.resize(5);
        for (int i = 0; i < 5; ++i)
            h.w2().Status[i].userTypes(texts[i]);
    }
    void setSpeeds(std::vector<std::u16string> texts) {
        texts.resize(5);
        for (int i = 0; i < 5; ++i)
            h.w2().Speedbox[i].userTypes(texts[i]);
    }
    void tick(int n = 1) { h.w1().Timer1.tick(n); }
    std::u16string label() { return h.w1().ProcessName.caption(); }
    int interval() { return h.w1().Timer1.interval(); }
    int bar(int i) { return h.w1().PB[i].value(); }
    Harness h;
};

TEST_F(Animation, FirstTickAndTheFortyFirst) {
    tick();
    EXPECT_EQ(bar(0), 1);
    EXPECT_EQ(bar(1), 0);
    tick(39);
    EXPECT_EQ(bar(0), 40) << "full for one tick";
    EXPECT_EQ(label(), u"Reading Files...");
    tick();
    EXPECT_EQ(bar(0), 0) << "empty on the next";
    EXPECT_EQ(bar(1), 1);
    EXPECT_EQ(h.program.MsgIndex, 1);
    EXPECT_EQ(label(), u"Linking Data...");
    EXPECT_EQ(interval(), 200);
}

TEST_F(Animation, DefaultCycleShowsThreeMessagesAtTheirSpeeds) {
    EXPECT_EQ(interval(), 50);
    tick(41);
    EXPECT_EQ(interval(), 200);
    tick(41);
    EXPECT_EQ(label(), u"Updating...");
    EXPECT_EQ(interval(), 400);
    tick(41);
    EXPECT_EQ(label(), u"Reading Files...") << "slot 3 is empty";
    EXPECT_EQ(h.program.MsgIndex, 0);
    EXPECT_EQ(interval(), 50);
    EXPECT_EQ(bar(1), 3);
}

TEST_F(Animation, SecondBarWrapsAfterFortyOnePasses) {
    tick(41 * 40);
    EXPECT_EQ(bar(1), 40);
    EXPECT_EQ(bar(0), 0);
    tick(41);
    EXPECT_EQ(bar(1), 0);
    EXPECT_EQ(h.Form1().Bar2Pos, 0);
}

TEST_F(Animation, AllFiveMessagesCycleInSlotOrder) {
    setMessages({u"a", u"b", u"c", u"d", u"e"});
    setSpeeds({u"10", u"20", u"30", u"40", u"60"});
    const std::u16string expected[]{u"b", u"c", u"d", u"e", u"a", u"b"};
    const int speeds[]{20, 30, 40, 60, 10, 20};
    for (int i = 0; i < 6; ++i) {
        tick(41);
        EXPECT_EQ(label(), expected[i]);
        EXPECT_EQ(interval(), speeds[i]);
    }
}

TEST_F(Animation, EmptySlotsEndTheCycleEarly) {
    // An empty slot 1 hides slot 2: only message 0 is ever shown.
    setMessages({u"zero", u"", u"two"});
    setSpeeds({u"70", u"80", u"90"});
    for (int pass = 0; pass < 3; ++pass) {
        tick(41);
        EXPECT_EQ(label(), u"zero");
        EXPECT_EQ(interval(), 70);
        EXPECT_EQ(h.program.MsgIndex, 0);
    }
}

TEST_F(Animation, AnEmptyFirstMessageIsStillShown) {
    setMessages({u"", u"one", u""});
    setSpeeds({u"70", u"80"});
    h.w1().ProcessName.setCaption(u"");
    tick(40);
    EXPECT_EQ(label(), u"");
    tick();
    EXPECT_EQ(label(), u"one");
    tick(41);
    EXPECT_EQ(label(), u"") << "back to the empty message 0";
    EXPECT_EQ(interval(), 70);
}

TEST_F(Animation, AllMessagesEmptyKeepsSpeedZero) {
    setMessages({});
    h.w2().Speedbox[0].userTypes(u"123");
    tick(41 * 2);
    EXPECT_EQ(label(), u"");
    EXPECT_EQ(interval(), 123);
}

TEST_F(Animation, HiddenSecondBarKeepsAdvancing) {
    h.w1().PB[1].setVisible(false);
    tick(41 * 3);
    EXPECT_EQ(bar(1), 3);
    EXPECT_FALSE(h.w1().PB[1].isVisible());
}

TEST_F(Animation, EditsReachTheCycleWithoutApply) {
    h.w2().Status[1].userTypes(u"edited");
    h.w2().Speedbox[1].userTypes(u"333");
    tick(41);
    EXPECT_EQ(label(), u"edited");
    EXPECT_EQ(interval(), 333);
}

TEST_F(Animation, SpeedWithoutWholeNumberKeepsThePreviousInterval) {
    // The previous interval is not the startup's 50: a fallback to that would show.
    setSpeeds({u"70", u"12abc", u"8.5.5"});
    h.dialog().Command2_Click();
    EXPECT_EQ(h.w2().Speedbox[1].text(), u"12abc") << "the rule lets it pass";
    tick(41);
    EXPECT_EQ(label(), u"Linking Data...");
    EXPECT_EQ(interval(), 70);
    tick(41);
    EXPECT_EQ(label(), u"Updating...");
    EXPECT_EQ(interval(), 70);
    EXPECT_TRUE(h.w1().Timer1.isRunning());
}

TEST_F(Animation, IntervalIsTheSpeedRoundedHalfToEven) {
    h.w2().Speedbox[1].userTypes(u"2.5");
    h.w2().Speedbox[2].userTypes(u"3.5");
    tick(41);
    EXPECT_EQ(interval(), 2);
    tick(41);
    EXPECT_EQ(interval(), 4);
}

} // namespace
