// The user's texts as the screen shows them: the progress window's caption as
// the window system gets it, and the status line as drawn.
#include "Harness.h"

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
        Harness h;
        h.storeText(QStringLiteral("Title"), title);
        EXPECT_EQ(shownTitle(h.start()), title);
    }
}

TEST(ShownText, ApplyShowsTheTitleExactlyAsTyped) {
    Harness h;
    h.start();
    for (const QString& title : kTitles) {
        SCOPED_TRACE(title.toStdString());
        h.Form2().Pmess->setText(title);
        h.Form2().Command2_Click();
        EXPECT_EQ(shownTitle(h.Form1()), title);
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
    Harness h;
    h.start();
    QLabel* line = h.Form1().ProcessName;
    const QString message = QStringLiteral("<b>Done</b> &amp; <i>x</i>");
    line->setText(message);
    const int plainWidth = line->fontMetrics().horizontalAdvance(message);
    EXPECT_GT(inkRight(line), plainWidth * 9 / 10) << "every character of the markup is drawn";
}

} // namespace
