// The startup with what the store holds: first start, stored settings of every
// kind, values the program never writes, a store that cannot be used; and the
// shutdown that stores the settings for the next run.
#include "Harness.h"

#include "CRegistry.h"
#include "SettingsStore.h"
#ifndef _WIN32
#include "RegistryStore.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace {

const std::u16string kWelcome =
    u"Welcome to the Tarrowin.  Clicking on the progress bar icon brings up the options screen.  "
    u"Enjoy!";
const std::u16string kLoneNul(1, u'\0'); // how an empty text is stored

void expectDefaultsShown(Harness& h) {
    MemoryForm1& w = h.w1();
    EXPECT_EQ(w.Me.caption(), u"Processing...");
    EXPECT_EQ(w.Command1.caption(), u"Cancel");
    EXPECT_EQ(w.ProcessName.caption(), u"Reading Files...");
    EXPECT_EQ(w.Timer1.interval(), 50);
    EXPECT_TRUE(w.Timer1.isRunning());
    EXPECT_EQ(w.Picture1.shown.builtin, 0);
    EXPECT_TRUE(w.PB[0].isVisible());
    EXPECT_TRUE(w.PB[1].isVisible());
    EXPECT_EQ(h.Form1().Bar1Pos, 0);
    EXPECT_EQ(h.Form1().Bar2Pos, 0);
    EXPECT_EQ(h.program.MsgIndex, 0);
}

TEST(Startup, FirstStartGreetsBeforeAnyWindowThenOpensTheDialog) {
    Harness h(Harness::Store::FirstStart);
    bool dialogShownDuringGreeting = true, timerRanDuringGreeting = true;
    int listEntries = 0;
    h.whileMessageOpen = [&](const Message&) {
        dialogShownDuringGreeting = h.w2().Me.isVisible();
        timerRanDuringGreeting = h.w1().Timer1.isEnabled();
        listEntries = h.w2().IconList.count();
    };
    h.start();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kWelcome);
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(dialogShownDuringGreeting);
    EXPECT_FALSE(timerRanDuringGreeting) << "the greeting comes before the timer starts";
    EXPECT_EQ(listEntries, 8) << "the dialog exists, its list filled, before the settings";
    EXPECT_TRUE(h.program.FirstRun);
    EXPECT_TRUE(h.w2().Me.isVisible());
    expectDefaultsShown(h);
    EXPECT_FALSE(h.storedText(u"Title")) << "the new key is empty";

    h.w1().Me.close();
    for (const std::u16string name :
         {u"Title", u"Status0", u"Speed0", u"Status1", u"Speed1", u"Status2", u"Speed2", u"Status3",
          u"Speed3", u"Status4", u"Speed4", u"Dual", u"Saver", u"Icon", u"CustIconPath",
          u"ButtonText"})
        EXPECT_TRUE(h.storedText(name)) << std::string(name.begin(), name.end());
    EXPECT_EQ(h.storedText(u"Status3"), kLoneNul) << "an empty text is stored as a lone NUL";
    EXPECT_EQ(h.storedText(u"Dual"), u"1");
    EXPECT_EQ(h.storedText(u"Speed2"), u"400");
}

TEST(Startup, AKeyWithoutValuesKeepsEveryDefaultQuietly) {
    Harness h;
    h.start();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_FALSE(h.program.FirstRun);
    EXPECT_FALSE(h.w2().Me.isVisible());
    expectDefaultsShown(h);
    EXPECT_TRUE(h.screenSaverCalls.empty());
    EXPECT_EQ(h.w2().IconList.items,
              (std::vector<std::u16string>{u"Gear", u"Arrow", u"Scissors", u"Folder", u"Files",
                                           u"CD", u"Monitor", u"(Custom...)"}));
}

TEST(Startup, EveryStoredSettingComesBackAndIsShown) {
    Harness h;
    h.storeText(u"Title", u"Grüße — 進捗");
    h.storeText(u"ButtonText", u"Stop");
    h.storeText(u"Dual", u"0");
    h.storeText(u"Saver", u"0");
    h.storeText(u"Icon", u"4");
    h.storeText(u"CustIconPath", u"/some/path.ico");
    const std::u16string messages[]{u"m0", u"m1", u"m2", u"m3", u"m4"};
    const std::u16string speeds[]{u"11", u"22", u"33", u"44", u"55"};
    for (int i = 0; i < 5; ++i) {
        const char16_t digit = static_cast<char16_t>(u'0' + i);
        h.storeText(u"Status" + std::u16string(1, digit), messages[i]);
        h.storeText(u"Speed" + std::u16string(1, digit), speeds[i]);
    }
    h.start();
    Form2& d = h.dialog();
    EXPECT_EQ(d.Pmess.text(), u"Grüße — 進捗");
    EXPECT_EQ(d.ButText.text(), u"Stop");
    EXPECT_EQ(d.DualChk.value(), 0);
    EXPECT_EQ(d.Ssav.value(), 0);
    EXPECT_EQ(d.IconList.currentIndex(), 4);
    EXPECT_EQ(d.CustIconFileTxt.text(), u"/some/path.ico");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Status[i]->text(), messages[i]);
        EXPECT_EQ(d.Speedbox[i]->text(), speeds[i]);
    }
    MemoryForm1& w = h.w1();
    EXPECT_EQ(w.Me.caption(), u"Grüße — 進捗");
    EXPECT_EQ(w.Command1.caption(), u"Stop");
    EXPECT_EQ(w.ProcessName.caption(), u"m0");
    EXPECT_EQ(w.Timer1.interval(), 11);
    EXPECT_EQ(w.Picture1.shown.builtin, 4);
    EXPECT_FALSE(w.PB[1].isVisible());
    EXPECT_FALSE(d.Me.isVisible());
    EXPECT_TRUE(h.messages.empty());
}

TEST(Startup, EditsAreStoredAtTheEndAndRestoredNextTime) {
    Harness h;
    h.start();
    MemoryForm2& d = h.w2();
    d.Pmess.userTypes(u""); // cleared and never applied
    d.ButText.userTypes(u"Halt");
    d.Status[3].userTypes(u"Four");
    d.Speedbox[4].userTypes(u"1.5");
    d.DualChk.userClicks();
    d.IconList.userPicks(6);
    d.CustIconFileTxt.userTypes(u"/x/y.gif");
    h.w1().Me.close();

    EXPECT_EQ(h.storedText(u"Title"), kLoneNul);
    EXPECT_EQ(h.storedText(u"ButtonText"), u"Halt");
    EXPECT_EQ(h.storedText(u"Status3"), u"Four");
    EXPECT_EQ(h.storedText(u"Speed4"), u"1.5");
    EXPECT_EQ(h.storedText(u"Dual"), u"0");
    EXPECT_EQ(h.storedText(u"Saver"), u"0");
    EXPECT_EQ(h.storedText(u"Icon"), u"6");
    EXPECT_EQ(h.storedText(u"CustIconPath"), u"/x/y.gif");

    h.restart();
    Form2& next = h.dialog();
    EXPECT_EQ(next.Pmess.text(), u"") << "cleared stays cleared";
    EXPECT_EQ(h.w1().Me.caption(), u"");
    EXPECT_EQ(next.ButText.text(), u"Halt");
    EXPECT_EQ(next.Status[3]->text(), u"Four");
    EXPECT_EQ(next.Speedbox[4]->text(), u"1.5");
    EXPECT_EQ(next.IconList.currentIndex(), 6);
    EXPECT_FALSE(h.w1().PB[1].isVisible());
    EXPECT_TRUE(h.messages.empty());
}

TEST(Startup, LoadedValuesRunTheDialogsOwnRules) {
    Harness h;
    h.storeText(u"Speed0", u"0");
    h.storeText(u"Speed1", u"1e400");
    h.storeText(u"Saver", u"1");
    h.storeText(u"Icon", u"7");
    h.start();
    EXPECT_EQ(h.dialog().Speedbox[0]->text(), u"1");
    EXPECT_EQ(h.dialog().Speedbox[1]->text(), u"50000");
    EXPECT_EQ(h.Form1().Timer1.interval(), 1);
    // Once by the box as it is loaded, once more by the startup itself.
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, false}));
    EXPECT_TRUE(h.fileDialogs.empty()) << "no browsing while the dialog is hidden";
    ASSERT_EQ(h.messages.size(), 1u) << "the path is empty, so nothing exists there";
    EXPECT_EQ(h.messages[0].text, u"Custom icon file does not exist.");
    EXPECT_TRUE(h.w2().Me.isVisible());
    EXPECT_TRUE(h.w1().Picture1.shown.empty()) << "the icon area stays empty";
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
}

TEST(Startup, StoredCustomPictureIsShownWithoutOpeningAnything) {
    Harness h;
    const std::u16string picture = h.makeFile("mine.bmp");
    h.storeText(u"Icon", u"7");
    h.storeText(u"CustIconPath", picture);
    h.start();
    EXPECT_EQ(h.w1().Picture1.shown.file, picture);
    EXPECT_FALSE(h.w2().Me.isVisible());
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(h.fileDialogs.empty());
}

TEST(Startup, ValuesTheProgramNeverWritesKeepTheirDefaults) {
    const std::pair<std::u16string, std::u16string> cases[]{
        {u"Dual", u"7"},  {u"Dual", u"x"},  {u"Saver", u"x"},    {u"Saver", u"-1"},
        {u"Icon", u"99"}, {u"Icon", u"-1"}, {u"Icon", u"1e400"}, {u"Dual", u"99999999"}};
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(std::string(name.begin(), name.end()) + "=" +
                     std::string(text.begin(), text.end()));
        Harness h;
        h.storeText(name, text);
        h.storeText(u"Title", u"after it");
        h.start();
        EXPECT_EQ(h.dialog().DualChk.value(), CheckBox::Checked);
        EXPECT_EQ(h.dialog().Ssav.value(), CheckBox::Unchecked);
        EXPECT_EQ(h.dialog().IconList.currentIndex(), 0);
        EXPECT_EQ(h.w1().Me.caption(), u"after it") << "the startup went on";
        EXPECT_EQ(h.w1().Picture1.shown.builtin, 0);
        EXPECT_TRUE(h.Form1().Timer1.isRunning());
    }
}

TEST(Startup, StoredIconAndCheckValuesAreReadAsNumbers) {
    Harness h;
    h.storeText(u"Icon", u"2.5abc"); // the leading number, rounded half to even
    h.storeText(u"Dual", u" 2 ");    // grayed: a stored value may do that
    h.start();
    EXPECT_EQ(h.dialog().IconList.currentIndex(), 2);
    EXPECT_EQ(h.dialog().DualChk.value(), CheckBox::Grayed);
    EXPECT_TRUE(h.w1().PB[1].isVisible()) << "grayed is not unchecked";
}

TEST(Startup, FirstSpeedWithoutWholeNumberStillGivesARunningTimer) {
    Harness h;
    h.storeText(u"Speed0", u"12abc");
    h.start();
    EXPECT_EQ(h.dialog().Speedbox[0]->text(), u"12abc");
    EXPECT_GT(h.Form1().Timer1.interval(), 0);
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
}

#ifndef _WIN32
TEST(Startup, AnUnusableStoreIsReportedKeptAndNotWritten) {
    Harness h;
    h.storeText(u"Title", u"stored before");
    const std::string path = h.storePath().string();
    RegistryStore::usePath({}); // closed while its mode changes; nothing opens meanwhile
    ASSERT_EQ(::chmod(path.c_str(), 0400), 0);
    RegistryStore::usePath(path);
    const auto contents = [&path] {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string before = contents();

    h.start();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, u"Error creating registry key");
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(h.program.FirstRun);
    EXPECT_FALSE(h.w2().Me.isVisible());
    expectDefaultsShown(h);
    h.w2().Pmess.userTypes(u"not to be stored");
    h.w1().Me.close();
    EXPECT_EQ(contents(), before) << "nothing written, nothing deleted";
}
#endif

TEST(Startup, KeyDeletedWhileRunningStoresNothingAndGreetsAgain) {
    Harness h;
    h.start();
    CRegistry().DeleteKey(SettingsStore::kKeyPath);
    h.w2().Pmess.userTypes(u"lost");
    h.restart();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kWelcome);
    EXPECT_EQ(h.w1().Me.caption(), u"Processing...");
}

// The box's handler fails while the stored settings load: the loading stops
// there, the startup runs to its end, and the stored settings are kept.
TEST(Startup, AHandlerThatFailsWhileTheSettingsLoadEndsTheLoadingNotTheStartup) {
    Harness h;
    h.storeText(u"Title", u"loaded before");
    h.storeText(u"Saver", u"1"); // its handler switches the screen saver off
    h.storeText(u"ButtonText", u"loaded after");
    bool failed = false;
    h.services.setScreenSaverActive = [&failed](bool) {
        if (!std::exchange(failed, true)) throw std::runtime_error("no screen saver today");
        return true;
    };
    h.start();
    ASSERT_TRUE(failed);
    EXPECT_EQ(h.w1().Me.caption(), u"loaded before");
    EXPECT_EQ(h.w1().Command1.caption(), u"Cancel") << "nothing loaded after the failure";
    EXPECT_TRUE(h.Form1().Timer1.isRunning());
    EXPECT_EQ(h.w1().ProcessName.caption(), u"Reading Files...");
    EXPECT_EQ(h.w1().Picture1.shown.builtin, 0);
    EXPECT_TRUE(h.messages.empty());

    h.w2().ButText.userTypes(u"edited");
    h.w1().Me.close();
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_EQ(h.storedText(u"ButtonText"), u"loaded after") << "not overwritten";
    EXPECT_EQ(h.storedText(u"Saver"), u"1");
    EXPECT_FALSE(h.storedText(u"Status0")) << "nothing stored at the end";
}

TEST(Startup, AStopWhileAStartupMessageIsOpenEndsTheStartupThere) {
    {
        Harness h;
        h.storeText(u"Saver", u"1");
        h.storeText(u"Icon", u"7"); // with no path: the missing-file message comes
        h.whileMessageOpen = [&](const Message&) { h.w1().Me.close(); };
        h.start();
        EXPECT_EQ(h.endCalls, 1);
        EXPECT_EQ(h.messages.size(), 1u);
        EXPECT_FALSE(h.w2().Me.isVisible()) << "the dialog does not open after the end";
        EXPECT_FALSE(h.w1().Me.isVisible());
        EXPECT_FALSE(h.Form1().Timer1.isEnabled());
        EXPECT_EQ(h.screenSaverCalls, std::vector<bool>{false}) << "only the one while loading";
        EXPECT_EQ(h.storedText(u"Icon"), u"7") << "the shutdown stored the settings";
    }
    Harness first(Harness::Store::FirstStart);
    first.whileMessageOpen = [&](const Message&) { first.w1().Me.close(); };
    first.start();
    EXPECT_FALSE(first.w2().Me.isVisible());
    EXPECT_FALSE(first.Form1().Timer1.isEnabled());
    EXPECT_EQ(first.storedText(u"Title"), u"Processing...");
}

} // namespace
