// The startup with what the store holds: first start, stored settings of every
// kind, values the program never writes, a store that cannot be used; and the
// shutdown that stores the settings for the next run.
#include "Harness.h"

#include "CRegistry.h"
#include "QtText.h"
#include "RegistryStore.h"
#include "SettingsStore.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kWelcome = QStringLiteral(
    "Welcome to the Tarrowin.  Clicking on the progress bar icon brings up the options screen.  "
    "Enjoy!");

void expectDefaultsShown(Harness& h) {
    Form1& f = h.Form1();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Processing..."));
    EXPECT_EQ(f.Command1->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(f.ProcessName->text(), QStringLiteral("Reading Files..."));
    EXPECT_EQ(f.Timer1.interval(), 50);
    EXPECT_TRUE(f.Timer1.isRunning());
    EXPECT_TRUE(samePicture(f.Picture1->picture(), f.icos(0)));
    EXPECT_FALSE(f.PB[0]->isHidden());
    EXPECT_FALSE(f.PB[1]->isHidden());
    EXPECT_EQ(f.Bar1Pos, 0);
    EXPECT_EQ(f.Bar2Pos, 0);
    EXPECT_EQ(h.program.MsgIndex, 0);
}

TEST(Startup, FirstStartGreetsBeforeAnyWindowThenOpensTheDialog) {
    Harness h(Harness::Store::FirstStart);
    bool dialogShownDuringGreeting = true, timerRanDuringGreeting = true;
    int listEntries = 0;
    h.whileMessageOpen = [&](const Message&) {
        dialogShownDuringGreeting = h.Form2().isVisible();
        timerRanDuringGreeting = h.Form1().Timer1.isEnabled();
        listEntries = h.Form2().IconList->count();
    };
    h.start();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kWelcome);
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(dialogShownDuringGreeting);
    EXPECT_FALSE(timerRanDuringGreeting) << "the greeting comes before the timer starts";
    EXPECT_EQ(listEntries, 8) << "the dialog exists, its list filled, before the settings";
    EXPECT_TRUE(h.program.FirstRun);
    EXPECT_TRUE(h.Form2().isVisible());
    expectDefaultsShown(h);
    EXPECT_TRUE(h.storedText(QStringLiteral("Title")).isNull()) << "the new key is empty";

    h.Form1().close();
    const QStringList names{"Title",  "Status0", "Speed0", "Status1", "Speed1",
                            "Status2", "Speed2", "Status3", "Speed3",  "Status4",
                            "Speed4",  "Dual",   "Saver",  "Icon",    "CustIconPath",
                            "ButtonText"};
    for (const QString& name : names) EXPECT_FALSE(h.storedText(name).isNull()) << name.toStdString();
    EXPECT_EQ(h.storedText(QStringLiteral("Status3")), QString(QChar(u'\0')))
        << "an empty text is stored as a lone NUL";
}

TEST(Startup, AKeyWithoutValuesKeepsEveryDefaultQuietly) {
    Harness h;
    h.start();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_FALSE(h.program.FirstRun);
    EXPECT_FALSE(h.Form2().isVisible());
    expectDefaultsShown(h);
    EXPECT_TRUE(h.screenSaverCalls.empty());
}

TEST(Startup, EveryStoredSettingComesBackAndIsShown) {
    Harness h;
    h.storeText("Title", "Grüße — 進捗");
    h.storeText("ButtonText", "Stop");
    h.storeText("Dual", "0");
    h.storeText("Saver", "0");
    h.storeText("Icon", "4");
    h.storeText("CustIconPath", "/some/path.ico");
    const QStringList messages{"m0", "m1", "m2", "m3", "m4"};
    const QStringList speeds{"11", "22", "33", "44", "55"};
    for (int i = 0; i < 5; ++i) {
        h.storeText(QStringLiteral("Status%1").arg(i), messages[i]);
        h.storeText(QStringLiteral("Speed%1").arg(i), speeds[i]);
    }
    h.start();
    Form2& d = h.Form2();
    EXPECT_EQ(d.Pmess->text(), QStringLiteral("Grüße — 進捗"));
    EXPECT_EQ(d.ButText->text(), QStringLiteral("Stop"));
    EXPECT_EQ(d.DualChk->value(), 0);
    EXPECT_EQ(d.Ssav->value(), 0);
    EXPECT_EQ(d.IconList->currentIndex(), 4);
    EXPECT_EQ(d.CustIconFileTxt->text(), QStringLiteral("/some/path.ico"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Status[i]->text(), messages[i]);
        EXPECT_EQ(d.Speedbox[i]->text(), speeds[i]);
    }
    Form1& f = h.Form1();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Grüße — 進捗"));
    EXPECT_EQ(f.Command1->text(), QStringLiteral("Stop"));
    EXPECT_EQ(f.ProcessName->text(), QStringLiteral("m0"));
    EXPECT_EQ(f.Timer1.interval(), 11);
    EXPECT_TRUE(samePicture(f.Picture1->picture(), f.icos(4)));
    EXPECT_TRUE(f.PB[1]->isHidden());
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(h.messages.empty());
}

TEST(Startup, EditsAreStoredAtTheEndAndRestoredNextTime) {
    Harness h;
    h.start();
    Form2& d = h.Form2();
    d.Pmess->setText(QString()); // cleared and never applied
    d.ButText->setText(QStringLiteral("Halt"));
    d.Status[3]->setText(QStringLiteral("Four"));
    d.Speedbox[4]->setText(QStringLiteral("1.5"));
    d.DualChk->setValue(ValueCheckBox::Unchecked);
    d.IconList->setCurrentIndex(6);
    d.CustIconFileTxt->setText(QStringLiteral("/x/y.gif"));
    h.Form1().close();

    EXPECT_EQ(h.storedText("Title"), QString(QChar(u'\0')));
    EXPECT_EQ(h.storedText("ButtonText"), QStringLiteral("Halt"));
    EXPECT_EQ(h.storedText("Status3"), QStringLiteral("Four"));
    EXPECT_EQ(h.storedText("Speed4"), QStringLiteral("1.5"));
    EXPECT_EQ(h.storedText("Dual"), QStringLiteral("0"));
    EXPECT_EQ(h.storedText("Saver"), QStringLiteral("0"));
    EXPECT_EQ(h.storedText("Icon"), QStringLiteral("6"));
    EXPECT_EQ(h.storedText("CustIconPath"), QStringLiteral("/x/y.gif"));

    h.restart();
    Form2& next = h.Form2();
    EXPECT_EQ(next.Pmess->text(), QString()) << "cleared stays cleared";
    EXPECT_EQ(h.Form1().windowTitle(), QString());
    EXPECT_EQ(next.ButText->text(), QStringLiteral("Halt"));
    EXPECT_EQ(next.Status[3]->text(), QStringLiteral("Four"));
    EXPECT_EQ(next.Speedbox[4]->text(), QStringLiteral("1.5"));
    EXPECT_EQ(next.IconList->currentIndex(), 6);
    EXPECT_TRUE(h.Form1().PB[1]->isHidden());
    EXPECT_TRUE(h.messages.empty());
}

TEST(Startup, LoadedValuesRunTheDialogsOwnRules) {
    Harness h;
    h.storeText("Speed0", "0");
    h.storeText("Speed1", "1e400");
    h.storeText("Saver", "1");
    h.storeText("Icon", "7");
    h.start();
    EXPECT_EQ(h.Form2().Speedbox[0]->text(), QStringLiteral("1"));
    EXPECT_EQ(h.Form2().Speedbox[1]->text(), QStringLiteral("50000"));
    EXPECT_EQ(h.Form1().Timer1.interval(), 1);
    // Once by the box as it is loaded, once more by the startup itself.
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, false}));
    EXPECT_TRUE(h.fileDialogs.empty()) << "no browsing while the dialog is hidden";
    ASSERT_EQ(h.messages.size(), 1u) << "the path is empty, so nothing exists there";
    EXPECT_EQ(h.messages[0].text, QStringLiteral("Custom icon file does not exist."));
    EXPECT_TRUE(h.Form2().isVisible());
    EXPECT_TRUE(h.Form1().Picture1->picture().isNull()) << "the icon area stays empty";
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
}

TEST(Startup, StoredCustomPictureIsShownWithoutOpeningAnything) {
    Harness h;
    const QString picture = h.storeFolder.filePath(QStringLiteral("mine.bmp"));
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(picture));
    h.storeText("Icon", "7");
    h.storeText("CustIconPath", picture);
    h.start();
    EXPECT_EQ(h.Form1().Picture1->picture().size(), QSize(20, 10));
    EXPECT_FALSE(h.Form2().isVisible());
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(h.fileDialogs.empty());
}

TEST(Startup, ValuesTheProgramNeverWritesKeepTheirDefaults) {
    for (const auto& [name, text] : std::vector<std::pair<QString, QString>>{
             {"Dual", "7"}, {"Dual", "x"}, {"Saver", "x"}, {"Saver", "-1"}, {"Icon", "99"},
             {"Icon", "-1"}, {"Icon", "1e400"}, {"Dual", "99999999"}}) {
        SCOPED_TRACE((name + "=" + text).toStdString());
        Harness h;
        h.storeText(name, text);
        h.storeText("Title", "after it");
        h.start();
        EXPECT_EQ(h.Form2().DualChk->value(), ValueCheckBox::Checked);
        EXPECT_EQ(h.Form2().Ssav->value(), ValueCheckBox::Unchecked);
        EXPECT_EQ(h.Form2().IconList->currentIndex(), 0);
        EXPECT_EQ(h.Form1().windowTitle(), QStringLiteral("after it")) << "the startup went on";
        EXPECT_TRUE(samePicture(h.Form1().Picture1->picture(), h.Form1().icos(0)));
        EXPECT_TRUE(h.Form1().Timer1.isRunning());
    }
}

TEST(Startup, StoredIconAndCheckValuesAreReadAsNumbers) {
    Harness h;
    h.storeText("Icon", "2.5abc"); // the leading number, rounded half to even
    h.storeText("Dual", " 2 ");    // grayed: a stored value may do that
    h.start();
    EXPECT_EQ(h.Form2().IconList->currentIndex(), 2);
    EXPECT_EQ(h.Form2().DualChk->value(), ValueCheckBox::Grayed);
    EXPECT_FALSE(h.Form1().PB[1]->isHidden()) << "grayed is not unchecked";
}

TEST(Startup, FirstSpeedWithoutWholeNumberStillGivesARunningTimer) {
    Harness h;
    h.storeText("Speed0", "12abc");
    h.start();
    EXPECT_EQ(h.Form2().Speedbox[0]->text(), QStringLiteral("12abc"));
    EXPECT_GT(h.Form1().Timer1.interval(), 0);
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
}

TEST(Startup, AnUnusableStoreIsReportedKeptAndNotWritten) {
    Harness h;
    h.storeText("Title", "stored before");
    RegistryStore::usePath({}); // closed while its mode changes; nothing opens meanwhile
    ASSERT_EQ(::chmod(h.storePath().toLocal8Bit().constData(), 0400), 0);
    RegistryStore::usePath(h.storePath().toStdString());
    QFile file(h.storePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    h.start();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, QStringLiteral("Error creating registry key"));
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(h.program.FirstRun);
    EXPECT_FALSE(h.Form2().isVisible());
    expectDefaultsShown(h);
    h.Form2().Pmess->setText(QStringLiteral("not to be stored"));
    h.Form1().close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before) << "nothing written, nothing deleted";
}

TEST(Startup, KeyDeletedWhileRunningStoresNothingAndGreetsAgain) {
    Harness h;
    h.start();
    CRegistry().DeleteKey(SettingsStore::kKeyPath);
    h.Form2().Pmess->setText(QStringLiteral("lost"));
    h.restart();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kWelcome);
    EXPECT_EQ(h.Form1().windowTitle(), QStringLiteral("Processing..."));
}

TEST(Startup, AStopWhileAStartupMessageIsOpenEndsTheStartupThere) {
    Harness h;
    h.storeText("Saver", "1");
    h.storeText("Icon", "7"); // with no path: the missing-file message comes
    h.whileMessageOpen = [&](const Message&) { h.Form1().close(); };
    h.start();
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_EQ(h.messages.size(), 1u);
    EXPECT_FALSE(h.Form2().isVisible()) << "the dialog does not open after the end";
    EXPECT_FALSE(h.Form1().Timer1.isEnabled());
    EXPECT_EQ(h.screenSaverCalls, std::vector<bool>{false}) << "only the one while loading";
    EXPECT_EQ(h.storedText("Icon"), QStringLiteral("7")) << "the shutdown stored the settings";

    Harness first(Harness::Store::FirstStart);
    first.whileMessageOpen = [&](const Message&) { first.Form1().close(); };
    first.start();
    EXPECT_FALSE(first.Form2().isVisible());
    EXPECT_FALSE(first.Form1().Timer1.isEnabled());
    EXPECT_EQ(first.storedText("Title"), QStringLiteral("Processing..."));
}

} // namespace
