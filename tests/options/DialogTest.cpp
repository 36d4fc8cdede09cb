// The options dialog's handlers: the speed rule, the icon list rule, Apply and
// OK, the screen-saver box, the web page and closing.
#include "Harness.h"
#include "Pictures.h"

#include <QCloseEvent>
#include <QFile>
#include <QtEndian>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class Dialog : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    Form2& d() { return h.Form2(); }
    Form1& f() { return h.Form1(); }
    Harness h;
};

TEST_F(Dialog, SpeedRuleHoldsSpeedsBetweenOneAndFiftyThousand) {
    const std::vector<std::pair<QString, QString>> cases{
        {"", "1"},           {"0", "1"},           {"-5", "1"},        {"abc", "1"},
        {"0.5", "1"},        {"60000", "50000"},   {"50001", "50000"}, {"50000", "50000"},
        {"1.5", "1.5"},      {"12abc", "12abc"},   {" 7", " 7"},       {"1 2", "1 2"},
        {"&HFFFF", "1"},     {"&H10", "&H10"},     {"1e5", "50000"},   {"1e400", "50000"},
        {"2e-1", "1"},       {"+3", "+3"},         {"0.99", "1"},      {"50000.1", "50000"},
    };
    for (const auto& [typed, kept] : cases) {
        d().Speedbox[2]->setText(typed);
        EXPECT_EQ(d().Speedbox[2]->text(), kept) << "typed " << typed.toStdString();
    }
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
        {"-5", "5"}, {"abc", "1"}, {"0", "1"}, {"07", "7"}, {"-", "1"}, {"99999", "50000"},
        {"999992", "2"},
    };
    QLineEdit* box = d().Speedbox[1];
    for (const auto& [typed, kept] : cases) {
        box->selectAll();
        QTest::keyClicks(box, typed);
        EXPECT_EQ(box->text(), kept) << "typed " << typed.toStdString();
    }
}

TEST_F(Dialog, ApplyPushesEverySettingIntoTheWindow) {
    d().Pmess->setText(QStringLiteral("Compiling"));
    d().ButText->setText(QStringLiteral("Stop"));
    d().Status[0]->setText(QStringLiteral("Now this"));
    d().Speedbox[0]->setText(QStringLiteral("77"));
    d().DualChk->setValue(ValueCheckBox::Unchecked);
    d().IconList->setCurrentIndex(2);
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Processing...")) << "nothing before Apply";

    d().Command2_Click();
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Compiling"));
    EXPECT_EQ(f().Command1->text(), QStringLiteral("Stop"));
    EXPECT_EQ(f().ProcessName->text(), QStringLiteral("Now this"));
    EXPECT_EQ(f().Timer1.interval(), 77);
    EXPECT_TRUE(f().PB[1]->isHidden());
    EXPECT_FALSE(f().PB[0]->isHidden());
    EXPECT_EQ(f().size(), QSize(433, 134)) << "the window keeps its size";
    EXPECT_TRUE(samePicture(f().Picture1->picture(), f().icos(2)));

    d().DualChk->setValue(ValueCheckBox::Grayed);
    d().Command2_Click();
    EXPECT_FALSE(f().PB[1]->isHidden()) << "anything but unchecked shows the bar";
}

TEST_F(Dialog, ApplyUsesTheMessageNowShown) {
    tick(f(), 41); // message 1 now
    const int bar1 = f().Bar1Pos, bar2 = f().Bar2Pos;
    d().Status[1]->setText(QString());
    d().Speedbox[1]->setText(QStringLiteral("2.5"));
    d().Command2_Click();
    EXPECT_EQ(f().ProcessName->text(), QString()) << "an emptied current message shows empty";
    EXPECT_EQ(f().Timer1.interval(), 2);
    EXPECT_EQ(h.program.MsgIndex, 1);
    EXPECT_EQ(f().Bar1Pos, bar1);
    EXPECT_EQ(f().Bar2Pos, bar2);
}

TEST_F(Dialog, ApplyKeepsTheIntervalForASpeedWithoutWholeNumber) {
    d().Speedbox[0]->setText(QStringLiteral("70"));
    d().Command2_Click();
    d().Speedbox[0]->setText(QStringLiteral("12abc"));
    d().Command2_Click();
    EXPECT_EQ(f().Timer1.interval(), 70) << "the interval before, not the startup's";
    EXPECT_TRUE(f().Timer1.isRunning());
}

TEST_F(Dialog, OkAppliesThenHides) {
    d().showModeless();
    d().Pmess->setText(QStringLiteral("Via OK"));
    QTest::mouseClick(d().Command1, Qt::LeftButton);
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Via OK"));
    EXPECT_FALSE(d().isVisible());
}

TEST_F(Dialog, BuiltinIconIgnoresThePathBox) {
    d().CustIconFileTxt->setText(QStringLiteral("/no/such/file.ico"));
    d().IconList->setCurrentIndex(5);
    d().Command2_Click();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(samePicture(f().Picture1->picture(), f().icos(5)));
}

TEST_F(Dialog, MissingCustomFileIsReportedAndTheRestStillApplies) {
    d().showModeless();
    d().CustIconFileTxt->setText(QStringLiteral("/no/such/file.ico"));
    d().IconList->setCurrentIndex(Form2::kCustomIcon);
    d().Pmess->setText(QStringLiteral("Still applied"));
    const QImage before = f().Picture1->picture().toImage();
    bool shownWhileMessageOpen = false;
    h.whileMessageOpen = [&](const Message&) { shownWhileMessageOpen = d().isVisible(); };
    d().Command1_Click();
    EXPECT_TRUE(shownWhileMessageOpen) << "OK hides the dialog only after the message";
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, QStringLiteral("Custom icon file does not exist."));
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Still applied"));
    EXPECT_EQ(f().Picture1->picture().toImage(), before) << "the icon stays";
    EXPECT_FALSE(d().isVisible()) << "OK hides also after the message";
}

TEST_F(Dialog, CustomPictureShowsAtNaturalSizeAndUnreadableOnesKeepTheIcon) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("big.png"));
    QImage image(50, 40, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    ASSERT_TRUE(image.save(picture));
    d().IconList->setCurrentIndex(Form2::kCustomIcon);
    d().CustIconFileTxt->setText(picture);
    d().Command2_Click();
    EXPECT_EQ(f().Picture1->picture().size(), QSize(50, 40)) << "not scaled to the box";
    EXPECT_EQ(f().Picture1->size(), QSize(33, 33)) << "the box keeps its size";

    QFile garbage(dir.filePath(QStringLiteral("garbage.ico")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\0\0\1\0\1\0 this is no icon", 24);
    garbage.close();
    for (const QString& unreadable : {dir.path(), garbage.fileName()}) {
        d().CustIconFileTxt->setText(unreadable);
        d().Command2_Click();
        EXPECT_EQ(f().Picture1->picture().size(), QSize(50, 40)) << unreadable.toStdString();
    }
    EXPECT_TRUE(h.messages.empty()) << "existing paths are not reported";
}

TEST_F(Dialog, CustomPictureIsNeverScaledByItsName) {
    // Left half red, right half blue: drawn at half size, the box's middle
    // column would already show blue.
    QTemporaryDir dir;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
    d().IconList->setCurrentIndex(Form2::kCustomIcon);
    for (const QString& name : {"cd@2x.png", "cd@3x.png", "cd.png"}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dir.filePath(name);
        ASSERT_TRUE(image.save(path));
        d().CustIconFileTxt->setText(path);
        d().Command2_Click();
        const QImage drawn = f().Picture1->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(20, 16), QColor(Qt::red)) << "at its natural size";
        EXPECT_EQ(drawn.pixelColor(32, 16), QColor(Qt::blue));
    }
}

TEST_F(Dialog, CustomIconsAndGifsAreReadAsTheyAre) {
    QTemporaryDir dir;
    const QString icon = dir.filePath(QStringLiteral("scissors.ico"));
    const QString gif = dir.filePath(QStringLiteral("folder.gif"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/pictures/scissors.ico"), icon));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/pictures/browse.gif"), gif));
    d().IconList->setCurrentIndex(Form2::kCustomIcon);

    d().CustIconFileTxt->setText(icon);
    d().Command2_Click();
    const QImage shown = f().Picture1->picture().toImage();
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_TRUE(shown.hasAlphaChannel()) << "the 32-bit image of the icon, not the 8-bit one";
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << "transparent where the icon is";

    d().CustIconFileTxt->setText(gif);
    d().Command2_Click();
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
    const QStringList broken{write("huge.bmp", huge), write("giant.gif", giant), write("empty.ico", {}),
                             write("truncated.bmp", logo.read(200)), dir.path(), fifo};

    d().IconList->setCurrentIndex(3);
    d().Command2_Click();
    const QImage before = f().Picture1->picture().toImage();
    d().IconList->setCurrentIndex(Form2::kCustomIcon);
    for (const QString& path : broken) {
        d().CustIconFileTxt->setText(path);
        d().Command2_Click();
        EXPECT_EQ(f().Picture1->picture().toImage(), before) << path.toStdString();
    }
    EXPECT_TRUE(h.messages.empty());
}

TEST_F(Dialog, IconListOpensTheBrowserOnlyForAnEmptyCustomPathWhileShown) {
    d().IconList->setCurrentIndex(Form2::kCustomIcon); // hidden: nothing
    EXPECT_TRUE(h.fileDialogs.empty());

    d().showModeless();
    d().IconList->setCurrentIndex(1);
    h.fileDialogAnswers.push_back(QStringLiteral("/tmp/chosen.ico"));
    d().IconList->setCurrentIndex(Form2::kCustomIcon);
    ASSERT_EQ(h.fileDialogs.size(), 1u);
    EXPECT_EQ(h.fileDialogs[0].filter,
              QStringLiteral("Icon Images(*.ico;*.bmp;*.gif)|*.ico;*.bmp;*.gif|All files (*.*)|*.*"));
    EXPECT_EQ(h.fileDialogs[0].defaultExtension, QStringLiteral("ico"));
    EXPECT_TRUE(h.fileDialogs[0].initialDirectory.isNull());
    EXPECT_EQ(h.fileDialogs[0].flags, 0);
    EXPECT_EQ(h.fileDialogs[0].owner, &d());
    EXPECT_EQ(d().CustIconFileTxt->text(), QStringLiteral("/tmp/chosen.ico"));
    EXPECT_TRUE(f().Picture1->picture().toImage() == f().icos(0).toImage())
        << "choosing a file shows nothing before Apply";

    d().IconList->setCurrentIndex(3);
    d().IconList->setCurrentIndex(Form2::kCustomIcon); // a path is there: nothing
    EXPECT_EQ(h.fileDialogs.size(), 1u);
}

TEST_F(Dialog, BrowseCancelKeepsThePath) {
    d().CustIconFileTxt->setText(QStringLiteral("/kept.ico"));
    QTest::mouseClick(d().Command4, Qt::LeftButton);
    EXPECT_EQ(h.fileDialogs.size(), 1u);
    EXPECT_EQ(d().CustIconFileTxt->text(), QStringLiteral("/kept.ico"));
    EXPECT_EQ(d().IconList->currentIndex(), 0) << "browsing does not pick (Custom...)";
}

TEST_F(Dialog, ScreenSaverBoxActsAtOnce) {
    d().Ssav->setValue(ValueCheckBox::Checked);
    d().Ssav->setValue(ValueCheckBox::Unchecked);
    d().Ssav->setValue(ValueCheckBox::Grayed);
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true}));
    d().showModeless();
    QTest::mouseClick(d().Ssav, Qt::LeftButton);
    EXPECT_EQ(d().Ssav->value(), ValueCheckBox::Checked) << "a click on grayed checks";
    QTest::mouseClick(d().Ssav, Qt::LeftButton);
    EXPECT_EQ(d().Ssav->value(), ValueCheckBox::Unchecked) << "and never grays";
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true, false, true}));
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Processing...")) << "no Apply involved";
}

TEST_F(Dialog, WebButtonAndLogoOpenTheSamePage) {
    d().showModeless();
    QTest::mouseClick(d().Command3, Qt::LeftButton);
    QTest::mouseClick(d().Picture1, Qt::LeftButton);
    ASSERT_EQ(h.openedPages.size(), 2u);
    EXPECT_EQ(h.openedPages[0], h.openedPages[1]);
    EXPECT_TRUE(h.openedPages[0].startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(h.openedPages[0].contains(QStringLiteral(".example")));
}

TEST_F(Dialog, EveryCloseRequestOnlyHides) {
    d().showModeless();
    d().Pmess->setText(QStringLiteral("not applied"));
    EXPECT_FALSE(d().close());
    EXPECT_FALSE(d().isVisible());
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Processing...")) << "closing applies nothing";
    EXPECT_EQ(d().Pmess->text(), QStringLiteral("not applied")) << "and keeps the edits";
    d().showModeless();
    EXPECT_TRUE(d().isVisible());
}

TEST_F(Dialog, TextBoxesHoldTextOnlyUpToANul) {
    Form2::assignText(d().Pmess, QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"));
    EXPECT_EQ(d().Pmess->text(), QStringLiteral("ab"));
    Form2::assignText(d().Pmess, QString(QChar(u'\0')));
    EXPECT_EQ(d().Pmess->text(), QString());
}

} // namespace
