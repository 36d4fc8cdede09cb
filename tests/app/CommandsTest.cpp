// The progress window's commands and the program's shutdown.
#include "Harness.h"

#include <gtest/gtest.h>

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    Harness h;
};

TEST_F(Commands, IconClickShowsTheDialogWithoutBlockingTheWindow) {
    h.w1().Picture1.userClicks();
    EXPECT_TRUE(h.w2().Me.isVisible());
    h.w1().Picture1.userClicks();
    EXPECT_TRUE(h.w2().Me.isVisible()) << "a second click leaves it open";
    h.w1().Timer1.tick();
    EXPECT_EQ(h.w1().PB[0].value(), 1) << "the window animates on";
}

TEST_F(Commands, ButtonRunsTheShutdown) {
    h.dialog().showModeless();
    h.w1().Command1.userClicks();
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_TRUE(h.Form1().hasEnded());
    EXPECT_FALSE(h.w2().Me.isVisible()) << "the dialog was asked to close and hid";
    EXPECT_FALSE(h.w1().Timer1.isEnabled()) << "no tick after the end";
    EXPECT_FALSE(h.w1().Me.isVisible());
    EXPECT_EQ(h.storedText(u"Title"), u"Processing...") << "the settings were stored first";
}

TEST_F(Commands, TitleBarCloseRunsTheSameShutdownOnce) {
    h.w1().Me.close();
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_FALSE(h.w1().Me.isVisible());
    h.w2().Pmess.userTypes(u"after the end");
    h.w1().Me.close(); // a second request finds the program ended
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_EQ(h.storedText(u"Title"), u"Processing...") << "stored once, at the end";
}

} // namespace
