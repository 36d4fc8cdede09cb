// The user's texts as the screen shows them: the progress window's caption as
// the window system gets it, and the status line as drawn.
#include "QtHarness.h"

#include <QWindow>
#include <gtest/gtest.h>

namespace {

// The title the platform window carries, after Qt's own reading of the text.
QString shownTitle(QWidget& window) {
    window.winId();
    return window.windowHandle()->title();
}

const QStringList kTitles{"Copying [*] files", "[*]", "[*][*]", "a[*]b[*][*][*]c", "Plain", ""};

TEST(ShownText, StartupShowsTheTitleExactlyAsStored) {
    for (const QString& title : kTitles) {
        SCOPED_TRACE(title.toStdString());
        QtHarness h;
        h.storeText(QStringLiteral("Title"), title);
        h.start();
        EXPECT_EQ(shownTitle(h.w1()), title);
    }
}

TEST(ShownText, ApplyShowsTheTitleExactlyAsTyped) {
    QtHarness h;
    h.start();
    for (const QString& title : kTitles) {
        SCOPED_TRACE(title.toStdString());
        h.dialog().Pmess.setText(title.toStdU16String());
        h.dialog().Command2_Click();
        EXPECT_EQ(shownTitle(h.w1()), title);
    }
}

// The right edge of what is drawn in the text colour, in pixels from the left.
int inkRight(QWidget* widget) {
    const QImage drawn = widget->grab().toImage();
    const QColor background = widget->palette().color(widget->backgroundRole());
    int right = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = right + 1; x < drawn.width(); ++x)
            if (drawn.pixelColor(x, y) != background) right = x;
    return right + 1;
}

TEST(ShownText, StatusLineDrawsMarkupAsItsCharacters) {
    QtHarness h;
    h.start();
    QLabel* line = h.w1().ProcessName;
    const QString message = QStringLiteral("<b>Done</b> &amp; <i>x</i>");
    line->setText(message);
    const int plainWidth = line->fontMetrics().horizontalAdvance(message);
    EXPECT_GT(inkRight(line), plainWidth * 9 / 10) << "every character of the markup is drawn";
}

} // namespace
