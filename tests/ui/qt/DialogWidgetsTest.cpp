// The options dialog's widgets: typing and clicks reach the behaviour, and
// picture files are read as the platform's loader would, hostile ones safely.
#include "Pictures.h"
#include "QtHarness.h"

#include <QAccessible>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class Dialog : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    Form2Widget& d() { return h.w2(); }
    Form1Widget& f() { return h.w1(); }
    // Applies what the dialog's widgets hold, as the Apply button does.
    void apply() { QTest::mouseClick(d().Command2, Qt::LeftButton); }
    QtHarness h;
};

// The screen-saver box tells what keeps the screen on, also before its widgets
// exist, and an assistive tool's Toggle switches as a click does.
TEST(ScreenSaverBox, CarriesTheNoteAndTogglesForAssistiveTools) {
    QtHarness h;
    h.start();
    ASSERT_FALSE(h.tarrowin->window2.isBuilt());
    h.tarrowin->window2.setScreenSaverNote(QStringLiteral("Screen kept on by: X screen saver off"));
    ValueCheckBox* box = h.w2().Ssav;
    EXPECT_EQ(box->toolTip(), QStringLiteral("Screen kept on by: X screen saver off"));
    const QString left = QStringLiteral("Screen saver and power saving left to the system");
    h.tarrowin->window2.setScreenSaverNote(left);
    EXPECT_EQ(box->toolTip(), left);
    EXPECT_EQ(box->accessibleDescription(), left);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_TRUE(accessible && accessible->actionInterface());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true}));
}

TEST_F(Dialog, SpeedRuleWorksOnTypingToo) {
    QLineEdit* box = d().Speedbox[0];
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("1")) << "clearing a box gives 1 at once";
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("600"));
    EXPECT_EQ(box->text(), QStringLiteral("600"));
    QTest::keyClicks(box, QStringLiteral("00"));
    EXPECT_EQ(box->text(), QStringLiteral("50000"));
}

TEST_F(Dialog, TypingAfterACorrectionReplacesIt) {
    // The corrected text is selected, so the next key replaces it: what is
    // typed ends up in the box wherever it is in range.
    const std::vector<std::pair<QString, QString>> cases{
        {"-5", "5"}, {"abc", "1"},       {"0", "1"},      {"07", "7"},
        {"-", "1"},  {"99999", "50000"}, {"999992", "2"},
    };
    QLineEdit* box = d().Speedbox[1];
    for (const auto& [typed, kept] : cases) {
        box->selectAll();
        QTest::keyClicks(box, typed);
        EXPECT_EQ(box->text(), kept) << "typed " << typed.toStdString();
    }
}

TEST_F(Dialog, CustomPictureIsNeverScaledByItsName) {
    // Left half red, right half blue: drawn at half size, the box's middle
    // column would already show blue.
    QTemporaryDir dir;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    d().IconList->setCurrentIndex(7);
    for (const char* name : {"cd@2x.png", "cd@3x.png", "cd.png"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(image.save(path));
        d().CustIconFileTxt->setText(path);
        apply();
        const QImage drawn = f().Picture1->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(20, 16), QColor(Qt::red)) << "at its natural size";
        EXPECT_EQ(drawn.pixelColor(32, 16), QColor(Qt::blue));
    }
}

TEST_F(Dialog, CustomPictureShowsAtNaturalSizeAndUnreadableOnesKeepTheIcon) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("big.png"));
    QImage image(50, 40, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    ASSERT_TRUE(image.save(picture));
    d().IconList->setCurrentIndex(7);
    d().CustIconFileTxt->setText(picture);
    apply();
    EXPECT_EQ(f().Picture1->picture().size(), QSize(50, 40)) << "not scaled to the box";
    EXPECT_EQ(f().Picture1->size(), QSize(33, 33)) << "the box keeps its size";

    QFile garbage(dir.filePath(QStringLiteral("garbage.ico")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\0\0\1\0\1\0 this is no icon", 24);
    garbage.close();
    for (const QString& unreadable : {dir.path(), garbage.fileName()}) {
        d().CustIconFileTxt->setText(unreadable);
        apply();
        EXPECT_EQ(f().Picture1->picture().size(), QSize(50, 40)) << unreadable.toStdString();
    }
    EXPECT_TRUE(h.messages.empty()) << "existing paths are not reported";
}

TEST_F(Dialog, CustomIconsAndGifsAreReadAsTheyAre) {
    QTemporaryDir dir;
    const QString icon = dir.filePath(QStringLiteral("scissors.ico"));
    const QString gif = dir.filePath(QStringLiteral("folder.gif"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/pictures/scissors.ico"), icon));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/pictures/browse.gif"), gif));
    d().IconList->setCurrentIndex(7);

    d().CustIconFileTxt->setText(icon);
    apply();
    const QImage shown = f().Picture1->picture().toImage();
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_TRUE(shown.hasAlphaChannel()) << "the 32-bit image of the icon, not the 8-bit one";
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << "transparent where the icon is";

    d().CustIconFileTxt->setText(gif);
    apply();
    EXPECT_EQ(f().Picture1->picture().size(), QSize(16, 16));
}

TEST_F(Dialog, HostileOrBrokenPicturesKeepTheIcon) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    // A bitmap header that claims 40000 x 40000 pixels: decoding it would take
    // gigabytes.
    QByteArray huge(54, '\0');
    huge[0] = 'B';
    huge[1] = 'M';
    qToLittleEndian<quint32>(54, huge.data() + 10);
    qToLittleEndian<quint32>(40, huge.data() + 14);
    qToLittleEndian<qint32>(40000, huge.data() + 18);
    qToLittleEndian<qint32>(40000, huge.data() + 22);
    qToLittleEndian<quint16>(1, huge.data() + 26);
    qToLittleEndian<quint16>(24, huge.data() + 28);
    // A GIF whose screen is 60000 x 60000 pixels around one real pixel.
    const QByteArray giant = QByteArray("GIF89a\x60\xea\x60\xea\x80\x00\x00", 13) +
                             QByteArray("\0\0\0\xff\xff\xff", 6) +
                             QByteArray(",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 18);
    QFile logo(QStringLiteral(":/pictures/logo.bmp"));
    ASSERT_TRUE(logo.open(QIODevice::ReadOnly));
    const QString fifo = dir.filePath(QStringLiteral("fifo.ico")); // opening it would wait forever
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QStringList broken{write("huge.bmp", huge),
                             write("giant.gif", giant),
                             write("empty.ico", {}),
                             write("truncated.bmp", logo.read(200)),
                             dir.path(),
                             fifo};

    d().IconList->setCurrentIndex(3);
    apply();
    const QImage before = f().Picture1->picture().toImage();
    d().IconList->setCurrentIndex(7);
    for (const QString& path : broken) {
        d().CustIconFileTxt->setText(path);
        apply();
        EXPECT_EQ(f().Picture1->picture().toImage(), before) << path.toStdString();
    }
    EXPECT_TRUE(h.messages.empty());
}

TEST_F(Dialog, ScreenSaverBoxTogglesByClickAndNeverGrays) {
    h.dialog().Ssav.setValue(CheckBox::Checked);
    h.dialog().Ssav.setValue(CheckBox::Unchecked);
    h.dialog().Ssav.setValue(CheckBox::Grayed);
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true}));
    h.dialog().showModeless();
    QTest::mouseClick(d().Ssav, Qt::LeftButton);
    EXPECT_EQ(d().Ssav->value(), ValueCheckBox::Checked) << "a click on grayed checks";
    QTest::mouseClick(d().Ssav, Qt::LeftButton);
    EXPECT_EQ(d().Ssav->value(), ValueCheckBox::Unchecked) << "and never grays";
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true, false, true}));
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Processing...")) << "no Apply involved";
}

TEST_F(Dialog, WebButtonAndLogoTakeClicks) {
    h.dialog().showModeless();
    QTest::mouseClick(d().Command3, Qt::LeftButton);
    QTest::mouseClick(d().Picture1, Qt::LeftButton);
    ASSERT_EQ(h.openedPages.size(), 2u);
    EXPECT_EQ(h.openedPages[0], h.openedPages[1]);
    EXPECT_TRUE(h.openedPages[0].startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(h.openedPages[0].contains(QStringLiteral(".example")));
}

TEST_F(Dialog, OkButtonAppliesThenHides) {
    h.dialog().showModeless();
    d().Pmess->setText(QStringLiteral("Via OK"));
    QTest::mouseClick(d().Command1, Qt::LeftButton);
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Via OK"));
    EXPECT_FALSE(d().isVisible());
}

} // namespace
