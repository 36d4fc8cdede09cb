// The progress window's commands and the program's shutdown.
#include "ExitSignals.h"
#include "Harness.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        h.start();
        h.Form1().show();
    }
    Harness h;
};

TEST_F(Commands, IconClickShowsTheDialogWithoutBlockingTheWindow) {
    QTest::mouseClick(h.Form1().Picture1, Qt::LeftButton);
    EXPECT_TRUE(h.Form2().isVisible());
    EXPECT_FALSE(h.Form2().isModal());
    EXPECT_EQ(h.Form2().parentWidget(), nullptr) << "no owner window";
    EXPECT_TRUE(h.Form1().isEnabled());
    QTest::mouseClick(h.Form1().Picture1, Qt::LeftButton);
    EXPECT_TRUE(h.Form2().isVisible()) << "a second click leaves it open";
    tick(h.Form1());
    EXPECT_EQ(h.Form1().PB[0]->value(), 1) << "the window animates on";
}

TEST_F(Commands, ButtonRunsTheShutdown) {
    h.Form2().showModeless();
    QTest::mouseClick(h.Form1().Command1, Qt::LeftButton);
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_TRUE(h.Form1().hasEnded());
    EXPECT_FALSE(h.Form2().isVisible()) << "the dialog was asked to close and hid";
    EXPECT_FALSE(h.Form1().Timer1.isEnabled()) << "no tick after the end";
    EXPECT_FALSE(h.Form1().isVisible());
}

TEST_F(Commands, TitleBarCloseRunsTheSameShutdownOnce) {
    EXPECT_TRUE(h.Form1().close());
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_TRUE(h.Form1().close()) << "a second request finds the program ended";
    EXPECT_EQ(h.endCalls, 1);
}

TEST(ExitSignals, StopSignalsAskForTheShutdown) {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        ExitSignals stops;
        QSignalSpy requested(&stops, &ExitSignals::requested);
        std::raise(number);
        EXPECT_TRUE(requested.wait(5000)) << "signal " << number;
    }
}

TEST(ExitSignals, AnIgnoredHangUpStaysIgnored) {
    const auto previous = std::signal(SIGHUP, SIG_IGN); // as nohup starts a program
    {
        ExitSignals stops;
        QSignalSpy requested(&stops, &ExitSignals::requested);
        std::raise(SIGHUP); // ignored: the process lives on
        std::raise(SIGTERM);
        ASSERT_TRUE(requested.wait(5000));
        EXPECT_EQ(requested.count(), 1) << "only the SIGTERM";
    }
    std::signal(SIGHUP, previous);
}

} // namespace
