// The progress window's top rows as the screen shows them: the status line
// shows the first line of a long message and nothing of the second, and the
// first bar's top border (which shares a pixel row with the status line) is
// drawn whole.
#include "QtHarness.h"
#include "ScreenPixels.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// The area of the status line and the first bar, as laid out (pixels).
constexpr int kLineLeft = 56, kLineTop = 24, kLineWidth = 353, kLineHeight = 17;
constexpr int kFirstBarTop = 40, kSecondBarTop = 64;

class StatusLine : public ::testing::Test {
protected:
    void SetUp() override {
        h.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.w1()));
        h.qt1().timer().setEnabled(false); // both bars stay empty
    }

    // Shows the message as Apply does and reads the window back.
    QImage windowShowing(const QString& message) {
        h.dialog().Status[0]->setText(message.toStdU16String());
        h.dialog().Command2_Click();
        return drawnOnScreen(&h.w1());
    }

    static QImage lineArea(const QImage& window) {
        return window.copy(kLineLeft, kLineTop, kLineWidth, kLineHeight);
    }
    static QImage barTopRow(const QImage& window, int top) {
        return window.copy(kLineLeft, top, kLineWidth, 1);
    }

    // Words that fill most of the line, and a word too long for what is left:
    // the message breaks between the two.
    QString firstLine() {
        const QFontMetrics metrics = h.w1().ProcessName->fontMetrics();
        QString words = QStringLiteral("Copying");
        while (metrics.horizontalAdvance(words + QStringLiteral(" files")) < kLineWidth * 3 / 4)
            words += QStringLiteral(" files");
        return words;
    }
    static QString tooLongWord() { return QString(40, u'W'); }

    QtHarness h;
};

TEST_F(StatusLine, LongMessageShowsItsFirstLineAndNothingOfTheSecond) {
    const QString first = firstLine();
    const QImage blank = lineArea(windowShowing(QString()));
    const QImage oneLine = lineArea(windowShowing(first));
    const QImage twoLines = lineArea(windowShowing(first + u' ' + tooLongWord()));
    EXPECT_NE(oneLine, blank) << "the first line is drawn";
    EXPECT_EQ(twoLines, oneLine) << "something of \"" << tooLongWord().toStdString()
                                 << "\" shows on the status line";

    // A line of capitals and descenders reaches the whole height of the font.
    const QImage tall = lineArea(windowShowing(QStringLiteral("Wgjpqy|") + u' ' + tooLongWord()));
    const QImage tallAlone = lineArea(windowShowing(QStringLiteral("Wgjpqy|")));
    EXPECT_EQ(tall, tallAlone);
}

TEST_F(StatusLine, FirstBarHasTheSameTopBorderAsTheSecond) {
    for (const QString& message : {QString(), firstLine() + u' ' + tooLongWord()}) {
        SCOPED_TRACE(message.toStdString());
        const QImage window = windowShowing(message);
        const QImage first = barTopRow(window, kFirstBarTop);
        const QImage second = barTopRow(window, kSecondBarTop);
        EXPECT_EQ(first, second) << "row 40 at x 200 is "
                                 << qPrintable(first.pixelColor(144, 0).name())
                                 << ", row 64 at x 200 is "
                                 << qPrintable(second.pixelColor(144, 0).name());
    }
}

} // namespace
