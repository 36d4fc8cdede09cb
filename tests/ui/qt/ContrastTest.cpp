// What a user with a light, a dark or a high-contrast desktop palette sees,
// measured on the drawn pixels: the focus indicators (the logo's, and the OK
// button's when the dialog opens again after OK) stand out by at least 3:1
// from what is next to them, and the credit line's text by at least 4.5:1
// from the window behind it.
#include "QtHarness.h"
#include "ScreenPixels.h"

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

namespace {

// The relative luminance and contrast ratio of the web's accessibility
// guidelines, worked out here apart from the program's own.
double luminance(QColor c) {
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Scheme {
    const char* name;
    QPalette palette;
};

QPalette scheme(QColor window, QColor text, QColor base, QColor highlight, QColor link) {
    QPalette p(text, window, window.lighter(130), window.darker(200), window.darker(150), text,
               text, base, window);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, luminance(highlight) > 0.3 ? Qt::black : Qt::white);
    p.setColor(QPalette::Link, link);
    return p;
}

std::vector<Scheme> schemes() {
    return {
        {"light", QApplication::style()->standardPalette()},
        {"dark",
         scheme(QColor(0x35, 0x35, 0x35), QColor(0xEE, 0xEE, 0xEE), QColor(0x2A, 0x2A, 0x2A),
                QColor(0x2A, 0x82, 0xDA), QColor(0x2A, 0x82, 0xDA))},
        {"high contrast", scheme(Qt::black, Qt::white, Qt::black, QColor(0x1A, 0xEB, 0xFF),
                                 QColor(0xFF, 0xFF, 0x00))},
    };
}

// How the focus indicator stands out from what is next to it: its pixels are
// those that the focus changes, each measured against the unchanged pixels
// beside it (the one it stands out from most). The median over the indicator,
// so that the softened corners of a rounded ring do not count as the ring; 0
// when no pixel changes.
double focusContrast(const QImage& focused, const QImage& unfocused, int* changed) {
    const auto isRing = [&](int x, int y) { return focused.pixel(x, y) != unfocused.pixel(x, y); };
    std::vector<double> ratios;
    *changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x) {
            if (!isRing(x, y)) continue;
            ++*changed;
            double best = 0;
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint next = QPoint(x, y) + step;
                if (focused.rect().contains(next) && !isRing(next.x(), next.y()))
                    best = std::max(best,
                                    contrast(focused.pixelColor(x, y), focused.pixelColor(next)));
            }
            if (best > 0) ratios.push_back(best);
        }
    if (ratios.empty()) return 0;
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    return ratios[ratios.size() / 2];
}

class Contrast : public ::testing::TestWithParam<Scheme> {
protected:
    void SetUp() override {
        before_ = QApplication::palette();
        QApplication::setPalette(GetParam().palette);
        h.start();
    }
    void TearDown() override { QApplication::setPalette(before_); }
    QtHarness h;
    QPalette before_;
};

TEST_P(Contrast, FocusAndCreditStandOut) {
    Form2Widget& d = h.w2();
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));

    // The logo, reached by Tab after OK: its ring lies around it and leaves
    // the picture as it was.
    const QRect around = d.Picture1->focusFrame().translated(-d.Picture1->pos());
    const QImage logoAlone = drawnOnScreen(d.Picture1, around);
    d.Picture1->setFocus(Qt::TabFocusReason);
    int changed = 0;
    const QImage logoFocused = drawnOnScreen(d.Picture1, around);
    const double logo = focusContrast(logoFocused, logoAlone, &changed);
    std::cout << GetParam().name << ": logo focus " << logo << ":1 over " << changed << " pixels\n";
    EXPECT_GT(changed, 2 * (d.Picture1->width() + d.Picture1->height()))
        << "no ring around the logo";
    EXPECT_GE(logo, 3.0);
    const QRect picture = d.Picture1->rect().translated(-around.topLeft());
    EXPECT_EQ(logoFocused.copy(picture), logoAlone.copy(picture)) << "the ring covers the logo";

    // OK pressed from the keyboard, then the dialog opened again: the focus is
    // still on OK, and shows.
    d.Command1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.Command1, Qt::Key_Space);
    ASSERT_FALSE(d.isVisible());
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    ASSERT_TRUE(d.Command1->hasFocus());
    const QImage okFocused = drawnOnScreen(d.Command1);
    d.Command2->setFocus(Qt::MouseFocusReason);
    const double ok = focusContrast(okFocused, drawnOnScreen(d.Command1), &changed);
    std::cout << GetParam().name << ": OK focus " << ok << ":1 over " << changed << " pixels\n";
    EXPECT_GT(changed, d.Command1->width()) << "no ring on OK";
    EXPECT_GE(ok, 3.0);

    // The credit's text: its pixel that stands out most from the window.
    const QImage credit = drawnOnScreen(d.Label8);
    const QColor window = d.palette().color(QPalette::Window);
    QColor text = window;
    for (int y = 0; y < credit.height(); ++y)
        for (int x = 0; x < credit.width(); ++x)
            if (contrast(credit.pixelColor(x, y), window) > contrast(text, window))
                text = credit.pixelColor(x, y);
    std::cout << GetParam().name << ": credit " << qPrintable(text.name()) << " on "
              << qPrintable(window.name()) << ", " << contrast(text, window) << ":1\n";
    EXPECT_GE(contrast(text, window), 4.5);
    if (luminance(window) > 0.5) {
        EXPECT_EQ(text, QColor(0, 0, 255)) << "the credit's blue";
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, Contrast, ::testing::ValuesIn(schemes()), [](const auto& info) {
    QString name = QString::fromLatin1(info.param.name);
    return name.remove(u' ').toStdString();
});

} // namespace
