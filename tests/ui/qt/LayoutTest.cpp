// Both windows as laid out: every control's place and size read back from the
// widgets, the fonts, the window kinds and the keyboard order.
#include "Pictures.h"
#include "QtHarness.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Placement {
    const char* name;
    const char* container; // the parent widget's object name
    QRect rect;
};

QWidget* child(QWidget* window, const char* name) {
    if (window->objectName() == QLatin1String(name)) return window;
    return window->findChild<QWidget*>(QLatin1String(name));
}

void expectPlacements(QWidget* window, std::initializer_list<Placement> placements) {
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.name);
        QWidget* widget = child(window, p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(p.container));
        EXPECT_EQ(widget->geometry(), p.rect);
    }
}

// The face that really draws the font: a bold sans-serif one that exists here
// (the classic faces, or the stand-ins put in their place), not a fallback.
void expectDrawnInAPresentSansSerif(const QFont& font) {
    const QFontInfo drawn(font);
    EXPECT_TRUE(QFontDatabase::families().contains(drawn.family())) << drawn.family().toStdString();
    const QStringList sansSerif{font.family(), "Liberation Sans", "Arimo", "DejaVu Sans"};
    EXPECT_TRUE(sansSerif.contains(drawn.family()))
        << font.family().toStdString() << " is drawn in " << drawn.family().toStdString();
    EXPECT_EQ(drawn.bold(), font.bold());
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    QtHarness h;
};

TEST_F(Layout, ProgressWindowControlsSitAtTheirPixels) {
    Form1Widget& form = h.w1();
    EXPECT_EQ(form.size(), QSize(433, 134));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the user cannot resize it";
    expectPlacements(&form, {
                                {"Picture1", "Form1", {16, 40, 33, 33}},
                                {"Command1", "Form1", {160, 96, 113, 25}},
                                {"PB_0", "Form1", {56, 40, 353, 17}},
                                {"PB_1", "Form1", {56, 64, 353, 17}},
                                {"ProcessName", "Form1", {56, 24, 353, 17}},
                            });
    EXPECT_EQ(form.Command1->geometry().center().x() * 2 + 1, form.width())
        << "the button is centred";
}

TEST_F(Layout, ProgressWindowIsAFixedWindowWithCloseBoxOnly) {
    const Qt::WindowFlags flags = h.w1().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(Layout, ProgressWindowUsesTheBoldClassicFontEverywhere) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{&h.w1(), h.w1().ProcessName, h.w1().Command1}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25);
        EXPECT_TRUE(w->font().bold());
        EXPECT_FALSE(w->font().italic() || w->font().underline() || w->font().strikeOut());
        expectDrawnInAPresentSansSerif(w->font());
    }
}

TEST_F(Layout, BarsSpanFortyStepsWithoutText) {
    for (QProgressBar* bar : h.w1().PB) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 40);
        EXPECT_FALSE(bar->isTextVisible());
        EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    }
}

TEST_F(Layout, StatusLineShowsOnlyItsFirstLine) {
    // Drawn, a long message is its first line broken at a word, from the top:
    // the same picture as the words of that line alone.
    QLabel* label = h.w1().ProcessName;
    const QString secondLine = QStringLiteral(" Secondlinethatmustnotshow");
    QStringList words;
    while (label->fontMetrics().horizontalAdvance(words.join(u' ') + secondLine) < label->width())
        words += QStringLiteral("Reading");
    const auto firstLine = [label] {
        const QImage drawn = label->grab().toImage();
        return drawn.copy(0, 0, drawn.width(), label->fontMetrics().height());
    };
    label->setText(words.join(u' '));
    const QImage firstLineAlone = firstLine();
    label->setText(words.join(u' ') + secondLine);
    EXPECT_EQ(firstLine(), firstLineAlone);
    EXPECT_EQ(label->geometry(), QRect(56, 24, 353, 17)) << "the label does not grow";
    EXPECT_TRUE(label->autoFillBackground()) << "opaque in the face colour";
}

TEST_F(Layout, PicturesThatTakeClicksShowTheHand) {
    const auto sameCursor = [](const QCursor& a, const QCursor& b) {
        return a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
    };
    EXPECT_EQ(h.w1().Picture1->toolTip(), QStringLiteral("Click here for options."));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(h.w1().Picture1, &enter); // the pointer comes over the icon
    EXPECT_TRUE(sameCursor(h.w1().Picture1->cursor(), Pictures::iconBoxCursor()));
    EXPECT_EQ(h.w1().Picture1->cursor().hotSpot(), QPoint(12, 9));

    QtPictureBox* logo = h.w2().Picture1;
    EXPECT_TRUE(sameCursor(logo->cursor(), Pictures::logoCursor()));
    EXPECT_TRUE(logo->toolTip().isEmpty());
    EXPECT_EQ(logo->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(logo->picture().size(), QSize(222, 50)) << "drawn from its top-left corner, unscaled";
}

TEST_F(Layout, TextBoxesHaveNoLengthLimit) {
    const QString longTitle(100000, u'x');
    h.dialog().Pmess.setText(longTitle.toStdU16String());
    EXPECT_EQ(h.w2().Pmess->text().size(), longTitle.size());
    EXPECT_EQ(h.w2().Pmess->geometry().size(), QSize(233, 19)) << "it scrolls inside the box";
}

// Every text in a text box stands on one baseline, whatever its letters: a
// "5" is drawn at the same height with or without a "g" beside it (a centred
// line edit lifts a text with a descender by its extent). The fault shows
// only where Qt scales the screen, so this runs again at the scales Qt is
// set to (CMakeLists.txt).
TEST_F(Layout, TextBoxTextsShareOneBaseline) {
    QLineEdit* box = h.w2().Status_0;
    const qreal ratio = box->devicePixelRatioF();
    // The top row of ink in the box's first columns, where the "5" is.
    const auto firstInkRow = [box, ratio](const QString& text) {
        box->setText(text);
        QImage drawn(box->size() * ratio, QImage::Format_RGB32);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(Qt::white);
        box->render(&drawn);
        const int columns = int(8 * ratio), frame = int(3 * ratio);
        for (int y = frame; y < drawn.height() - frame; ++y)
            for (int x = frame; x < frame + columns; ++x)
                if (qGray(drawn.pixel(x, y)) < 128) return y;
        return -1;
    };
    const int digits = firstInkRow(QStringLiteral("50"));
    ASSERT_GE(digits, 0) << "no ink at " << ratio;
    for (const QString& text : {QStringLiteral("50g"), QStringLiteral("5 Reading Files...")})
        EXPECT_EQ(firstInkRow(text), digits) << text.toStdString() << " at " << ratio;
}

TEST_F(Layout, DialogControlsSitAtTheirPixels) {
    Form2Widget& dialog = h.w2();
    EXPECT_EQ(dialog.size(), QSize(589, 292));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    expectPlacements(&dialog, {
                                  {"Frame2", "Form2", {304, 64, 273, 145}},
                                  {"DualChk", "Frame2", {16, 24, 145, 17}},
                                  {"IconList", "Frame2", {56, 72, 129, 21}},
                                  {"Ssav", "Frame2", {16, 48, 145, 17}},
                                  {"CustIconFileTxt", "Frame2", {56, 104, 169, 19}},
                                  {"Command4", "Frame2", {232, 96, 25, 25}},
                                  {"Label5", "Frame2", {24, 72, 33, 17}},
                                  {"Label6", "Frame2", {8, 96, 49, 41}},
                                  {"Frame1", "Form2", {24, 64, 273, 217}},
                                  {"ButText", "Frame1", {8, 192, 233, 19}},
                                  {"Pmess", "Frame1", {8, 40, 233, 19}},
                                  {"Status_0", "Frame1", {8, 88, 169, 19}},
                                  {"Status_1", "Frame1", {8, 104, 169, 19}},
                                  {"Status_2", "Frame1", {8, 120, 169, 19}},
                                  {"Status_3", "Frame1", {8, 136, 169, 19}},
                                  {"Status_4", "Frame1", {8, 152, 169, 19}},
                                  {"Speedbox_0", "Frame1", {184, 88, 57, 19}},
                                  {"Speedbox_1", "Frame1", {184, 104, 57, 19}},
                                  {"Speedbox_2", "Frame1", {184, 120, 57, 19}},
                                  {"Speedbox_3", "Frame1", {184, 136, 57, 19}},
                                  {"Speedbox_4", "Frame1", {184, 152, 57, 19}},
                                  {"Label7", "Frame1", {8, 176, 105, 17}},
                                  {"Label1", "Frame1", {184, 72, 41, 17}},
                                  {"Label2", "Frame1", {8, 24, 65, 17}},
                                  {"Label4_0", "Frame1", {8, 72, 65, 17}},
                                  {"Command3", "Form2", {344, 216, 193, 33}},
                                  {"Command2", "Form2", {344, 256, 89, 25}},
                                  {"Command1", "Form2", {456, 256, 81, 25}},
                                  {"Picture1", "Form2", {24, 8, 233, 49}},
                                  {"Label8", "Form2", {304, 32, 273, 17}},
                              });
    EXPECT_EQ(dialog.Label4.size(), 1u);
    EXPECT_EQ(dialog.Label4[0]->text(), QStringLiteral("Status:"));
}

TEST_F(Layout, DialogCaptionsAndDefaults) {
    Form2Widget& d = h.w2();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(d.Frame1->title(), QStringLiteral("Change Messages:"));
    EXPECT_EQ(d.Frame2->title(), QStringLiteral("Appearance:"));
    EXPECT_EQ(d.DualChk->text(), QStringLiteral("Dual progress bars"));
    EXPECT_EQ(d.Ssav->text(), QStringLiteral("Disable Screen Saver"));
    EXPECT_EQ(d.Label6->text(), QStringLiteral("Custom Icon (32x32)"));
    EXPECT_TRUE(d.Label6->wordWrap());
    EXPECT_TRUE(d.Label6->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(d.Command3->text(), QStringLiteral("More Free Stuff - Visit Website"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("&Apply"));
    EXPECT_EQ(d.Command1->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(d.Command4->text().isEmpty());

    EXPECT_EQ(d.Pmess->text(), QStringLiteral("Processing..."));
    EXPECT_EQ(d.ButText->text(), QStringLiteral("Cancel"));
    const QStringList messages{"Reading Files...", "Linking Data...", "Updating...", "", ""};
    const QStringList speeds{"50", "200", "400", "200", "200"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Status[i]->text(), messages[i]);
        EXPECT_EQ(d.Speedbox[i]->text(), speeds[i]);
    }
    EXPECT_TRUE(d.CustIconFileTxt->text().isEmpty());
    EXPECT_EQ(d.DualChk->value(), ValueCheckBox::Checked);
    EXPECT_EQ(d.Ssav->value(), ValueCheckBox::Unchecked);
    EXPECT_EQ(d.IconList->currentIndex(), 0);
    EXPECT_FALSE(d.IconList->isEditable()) << "the user picks and cannot type";
}

TEST_F(Layout, DialogFontsBoldWhereTheLayoutSaysSo) {
    Form2Widget& d = h.w2();
    for (QWidget* w : std::initializer_list<QWidget*>{d.Label7, d.Label1, d.Label2, d.Label4[0],
                                                      d.Command2, d.Command1}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(w->font().bold());
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25);
        expectDrawnInAPresentSansSerif(w->font());
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{&d, d.Pmess, d.DualChk, d.Label5, d.Command3, d.Frame1}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->font().bold());
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25);
    }
    expectDrawnInAPresentSansSerif(d.Label8->font());
    EXPECT_TRUE(d.Label8->font().bold());
    EXPECT_DOUBLE_EQ(d.Label8->font().pointSizeF(), 8.25);
    EXPECT_EQ(d.Label8->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(d.Label8->autoFillBackground());
}

TEST_F(Layout, DialogIsAToolWindowThatNoKeyCloses) {
    Form2Widget& d = h.w2();
    EXPECT_EQ(d.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    for (QPushButton* button : d.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
    EXPECT_FALSE(h.w1().Command1->isDefault() || h.w1().Command1->autoDefault());

    h.dialog().showModeless();
    d.Pmess->setText(QStringLiteral("edited"));
    QTest::keyClick(d.Pmess, Qt::Key_Return);
    QTest::keyClick(d.Pmess, Qt::Key_Enter);
    QTest::keyClick(d.Pmess, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible()) << "Escape does not close the dialog";
    EXPECT_EQ(h.w1().windowTitle(), QStringLiteral("Processing...")) << "Enter does not apply";
    QTest::keyClick(h.w1().Command1, Qt::Key_Escape);
    EXPECT_EQ(h.endCalls, 0) << "Escape does not press the progress window's button";
}

TEST_F(Layout, DialogKeyboardOrderStartsInTheTitle) {
    Form2Widget& d = h.w2();
    const std::vector<QWidget*> order{
        d.Pmess,       d.Status[0], d.Speedbox[0], d.Status[1],       d.Speedbox[1], d.Status[2],
        d.Speedbox[2], d.Status[3], d.Speedbox[3], d.Status[4],       d.Speedbox[4], d.ButText,
        d.DualChk,     d.Ssav,      d.IconList,    d.CustIconFileTxt, d.Command4,    d.Command3,
        d.Command2,    d.Command1,  d.Picture1}; // the logo, which acts on a click, last
    // What Tab does: the next widget in the focus chain that takes focus by Tab.
    const auto nextTabStop = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(nextTabStop(order[i]), order[(i + 1) % order.size()])
            << order[i]->objectName().toStdString();
    h.dialog().showModeless();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(d.focusWidget(), d.Pmess);
    for (QWidget* label : d.findChildren<QLabel*>())
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
}

TEST_F(Layout, MnemonicsPressApplyAndOk) {
    Form2Widget& d = h.w2();
    h.dialog().showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.Pmess->setText(QStringLiteral("by Alt+A"));
    // A mnemonic presses its button visibly, so the click comes a moment later.
    QTest::keyClick(&d, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return h.w1().windowTitle() == QStringLiteral("by Alt+A"); }, 5000));
    EXPECT_TRUE(d.isVisible());
    d.Pmess->setText(QStringLiteral("by Alt+O"));
    QTest::keyClick(d.Pmess, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 5000));
    EXPECT_EQ(h.w1().windowTitle(), QStringLiteral("by Alt+O"));
}

} // namespace
