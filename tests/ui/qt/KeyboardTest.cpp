// Both windows from the keyboard alone: Tab reaches the pictures, Space and
// Enter press them and the focused push button, Enter in a text box or the
// list and Escape press nothing; and every change of a speed box's text,
// whatever makes it, runs the speed rule.
#include "QtHarness.h"
#include "ScreenPixels.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    QtHarness h;
};

// What Tab does: the next widget in the focus chain that takes focus by Tab.
QWidget* nextTabStop(QWidget* w) {
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()));
    return w;
}

void activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
}

TEST_F(Keyboard, TabReachesTheIconAndSpaceOrEnterOpensTheOptions) {
    Form1Widget& f = h.w1();
    activate(f);
    EXPECT_EQ(f.focusWidget(), f.Command1) << "the focus starts on the button";
    EXPECT_EQ(nextTabStop(f.Command1), f.Picture1);
    EXPECT_EQ(nextTabStop(f.Picture1), f.Command1);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        h.w2().hide();
        f.Picture1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.Picture1, key);
        EXPECT_TRUE(h.w2().isVisible()) << "key " << key;
    }
    h.w2().hide();
    QTest::keyClick(f.Picture1, Qt::Key_Escape);
    QTest::keyClick(f.Picture1, Qt::Key_A);
    EXPECT_FALSE(h.w2().isVisible()) << "other keys do nothing";
}

TEST_F(Keyboard, AClickOnTheIconLeavesTheFocusOnTheButton) {
    Form1Widget& f = h.w1();
    activate(f);
    f.Command1->setFocus();
    QTest::mouseClick(f.Picture1, Qt::LeftButton);
    EXPECT_TRUE(h.w2().isVisible());
    EXPECT_EQ(f.focusWidget(), f.Command1);
}

// Around the icon, clear of it: the picture's pixels stay as they were.
TEST_F(Keyboard, TheFocusedIconShowsAFocusRingAroundIt) {
    Form1Widget& f = h.w1();
    activate(f);
    f.Command1->setFocus();
    const QRect around = f.Picture1->focusFrame().translated(-f.Picture1->pos());
    const QImage unfocused = drawnOnScreen(f.Picture1, around);
    QTest::keyClick(f.Command1, Qt::Key_Tab);
    ASSERT_TRUE(f.Picture1->hasFocus());
    const QImage focused = drawnOnScreen(f.Picture1, around);
    const int bottom = focused.height() - 1;
    int changed = 0;
    for (int x = 0; x < focused.width(); ++x)
        changed += focused.pixel(x, bottom) != unfocused.pixel(x, bottom);
    EXPECT_GT(changed, focused.width() / 2)
        << changed << " of " << focused.width() << " pixels below the icon changed";
    const QRect picture = f.Picture1->rect().translated(-around.topLeft());
    EXPECT_EQ(focused.copy(picture), unfocused.copy(picture)) << "the ring covers the icon";
}

TEST_F(Keyboard, TheLogoComesAfterOkAndEnterOpensTheWebPage) {
    Form2Widget& d = h.w2();
    h.dialog().showModeless();
    activate(d);
    EXPECT_EQ(nextTabStop(d.Command1), d.Picture1);
    EXPECT_EQ(nextTabStop(d.Picture1), d.Pmess);
    d.Picture1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.Picture1, Qt::Key_Return);
    QTest::keyClick(d.Picture1, Qt::Key_Space);
    EXPECT_EQ(h.openedPages.size(), 2u);
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonAndNothingElse) {
    Form2Widget& d = h.w2();
    h.dialog().showModeless();
    activate(d);
    d.Pmess->setText(QStringLiteral("by Enter"));
    for (QWidget* elsewhere : std::initializer_list<QWidget*>{d.Pmess, d.Speedbox[2], d.IconList,
                                                              d.CustIconFileTxt, d.DualChk}) {
        elsewhere->setFocus();
        QTest::keyClick(elsewhere, Qt::Key_Return);
        QTest::keyClick(elsewhere, Qt::Key_Escape);
    }
    EXPECT_EQ(h.w1().windowTitle(), QStringLiteral("Processing...")) << "nothing applied";
    EXPECT_TRUE(d.isVisible());

    d.Command2->setFocus(Qt::MouseFocusReason); // the focus came by a click
    QTest::keyClick(d.Command2, Qt::Key_Return);
    EXPECT_EQ(h.w1().windowTitle(), QStringLiteral("by Enter")) << "Apply";
    EXPECT_TRUE(d.isVisible());
    d.Command3->setFocus();
    QTest::keyClick(d.Command3, Qt::Key_Enter);
    EXPECT_EQ(h.openedPages.size(), 1u) << "the web button";
    d.Command1->setFocus();
    QTest::keyClick(d.Command1, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible()) << "OK";

    activate(h.w1());
    h.w1().Command1->setFocus();
    QTest::keyClick(h.w1().Command1, Qt::Key_Return);
    EXPECT_EQ(h.endCalls, 1) << "the progress window's button";
}

// The rule's answer to "0" is "1", however the "0" came.
TEST_F(Keyboard, EveryChangeOfASpeedBoxRunsTheSpeedRule) {
    Form2Widget& d = h.w2();
    h.dialog().showModeless();
    activate(d);
    QLineEdit* box = d.Speedbox[0];
    const auto expectRule = [&](const char* how) {
        EXPECT_EQ(box->text(), QStringLiteral("1")) << how;
        EXPECT_EQ(h.dialog().Speedbox[0]->text(), u"1") << how;
        box->setText(QStringLiteral("300")); // between cases, a speed in range
    };

    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(spoken->editableTextInterface(), nullptr);
    spoken->editableTextInterface()->replaceText(0, int(box->text().size()), QStringLiteral("0"));
    expectRule("an assistive tool replacing the text");

    box->setText(QStringLiteral("0")); // as an assistive tool's set-value does
    expectRule("the text set from outside the program's controls");

    box->selectAll();
    box->insert(QStringLiteral("0"));
    expectRule("a paste");

    QMimeData dropped;
    dropped.setText(QStringLiteral("99999"));
    // A drop reaches the widget a drag entered, as a drag's events come.
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    EXPECT_TRUE(drop.isAccepted()) << "the box took the drop";
    EXPECT_EQ(box->text(), QStringLiteral("50000")) << "a drop";
}

} // namespace
