// Where the options dialog goes when the startup opens it: the program does
// not place it, and it is shown only once the progress window is on the
// screen, so that the window system places it knowing that window.
#include "QtHarness.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A start whose stored custom icon file is missing: the startup opens the
// dialog before the progress window is shown.
class StartupDialog : public ::testing::Test {
protected:
    void SetUp() override {
        h.storeText(QStringLiteral("Icon"), QStringLiteral("7"));
        h.storeText(QStringLiteral("CustIconPath"), folder.filePath(QStringLiteral("gone.ico")));
        h.tarrowin = std::make_unique<QtProgram>(h.program, h.services);
        h.Form1().Form_Load();
        ASSERT_EQ(h.messages.size(), 1u) << "the missing file is reported";
    }
    bool dialogOnScreen() { return h.tarrowin->window2.isBuilt() && h.w2().isVisible(); }

    QTemporaryDir folder;
    QtHarness h;
};

TEST_F(StartupDialog, WaitsForTheProgressWindowAndIsNotPlacedByTheProgram) {
    EXPECT_TRUE(h.dialog().Me.isVisible()) << "to the behaviour the dialog is open";
    EXPECT_FALSE(dialogOnScreen()) << "shown before the progress window";

    h.Form1().Me.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.w1()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialogOnScreen(); }))
        << "the dialog never came up after the progress window";
    EXPECT_FALSE(h.w2().testAttribute(Qt::WA_Moved)) << "the program placed the dialog itself";
    EXPECT_TRUE(h.dialog().Me.isVisible());
}

TEST_F(StartupDialog, HiddenBeforeTheProgressWindowShowsItStaysHidden) {
    h.dialog().Me.hide();
    EXPECT_FALSE(h.dialog().Me.isVisible());
    h.Form1().Me.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.w1()));
    // What the exposure set going runs from the event loop before anything
    // posted after it.
    bool after = false;
    QTimer::singleShot(0, &h.w1(), [&] { after = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return after; }));
    EXPECT_FALSE(dialogOnScreen());
    EXPECT_FALSE(h.dialog().Me.isVisible());
}

TEST(DialogPlacement, OpenedFromTheShownWindowComesUpAtOnce) {
    QtHarness h;
    h.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.w1()));
    QTest::mouseClick(h.w1().Picture1, Qt::LeftButton);
    EXPECT_TRUE(h.w2().isVisible());
    EXPECT_FALSE(h.w2().testAttribute(Qt::WA_Moved));
}

} // namespace
