// The options dialog's handlers: the speed rule, the icon list rule, Apply and
// OK, browsing, the screen-saver box, the web page and closing.
#include "Harness.h"

#include <gtest/gtest.h>

namespace {

class Dialog : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    Form2& d() { return h.dialog(); }
    MemoryForm2& controls() { return h.w2(); }
    MemoryForm1& window() { return h.w1(); }
    Harness h;
};

TEST_F(Dialog, SpeedRuleHoldsSpeedsBetweenOneAndFiftyThousand) {
    const std::pair<std::u16string, std::u16string> cases[]{
        {u"", u"1"},       {u"0", u"1"},         {u"-5", u"1"},        {u"abc", u"1"},
        {u"0.5", u"1"},    {u"60000", u"50000"}, {u"50001", u"50000"}, {u"50000", u"50000"},
        {u"1.5", u"1.5"},  {u"12abc", u"12abc"}, {u" 7", u" 7"},       {u"1 2", u"1 2"},
        {u"&HFFFF", u"1"}, {u"&H10", u"&H10"},   {u"1e5", u"50000"},   {u"1e400", u"50000"},
        {u"2e-1", u"1"},   {u"+3", u"+3"},       {u"0.99", u"1"},      {u"50000.1", u"50000"},
    };
    for (const auto& [typed, kept] : cases) {
        controls().Speedbox[2].userTypes(typed);
        EXPECT_EQ(d().Speedbox[2]->text(), kept)
            << "typed " << std::string(typed.begin(), typed.end());
        d().Speedbox[2]->setText(typed); // the program's own changes run the rule too
        EXPECT_EQ(d().Speedbox[2]->text(), kept)
            << "set " << std::string(typed.begin(), typed.end());
    }
}

TEST_F(Dialog, ApplyPushesEverySettingIntoTheWindow) {
    controls().Pmess.userTypes(u"Compiling");
    controls().ButText.userTypes(u"Stop");
    controls().Status[0].userTypes(u"Now this");
    controls().Speedbox[0].userTypes(u"77");
    controls().DualChk.userClicks();
    controls().IconList.userPicks(2);
    EXPECT_EQ(window().Me.caption(), u"Processing...") << "nothing before Apply";

    controls().Command2.userClicks();
    EXPECT_EQ(window().Me.caption(), u"Compiling");
    EXPECT_EQ(window().Command1.caption(), u"Stop");
    EXPECT_EQ(window().ProcessName.caption(), u"Now this");
    EXPECT_EQ(window().Timer1.interval(), 77);
    EXPECT_FALSE(window().PB[1].isVisible());
    EXPECT_TRUE(window().PB[0].isVisible());
    EXPECT_EQ(window().Picture1.shown.builtin, 2);

    d().DualChk.setValue(CheckBox::Grayed);
    d().Command2_Click();
    EXPECT_TRUE(window().PB[1].isVisible()) << "anything but unchecked shows the bar";
}

TEST_F(Dialog, ApplyUsesTheMessageNowShown) {
    window().Timer1.tick(41); // message 1 now
    const int bar1 = h.Form1().Bar1Pos, bar2 = h.Form1().Bar2Pos;
    controls().Status[1].userTypes(u"");
    controls().Speedbox[1].userTypes(u"2.5");
    d().Command2_Click();
    EXPECT_EQ(window().ProcessName.caption(), u"") << "an emptied current message shows empty";
    EXPECT_EQ(window().Timer1.interval(), 2);
    EXPECT_EQ(h.program.MsgIndex, 1);
    EXPECT_EQ(h.Form1().Bar1Pos, bar1);
    EXPECT_EQ(h.Form1().Bar2Pos, bar2);
}

TEST_F(Dialog, ApplyKeepsTheIntervalForASpeedWithoutWholeNumber) {
    controls().Speedbox[0].userTypes(u"70");
    d().Command2_Click();
    controls().Speedbox[0].userTypes(u"12abc");
    d().Command2_Click();
    EXPECT_EQ(window().Timer1.interval(), 70) << "the interval before, not the startup's";
    EXPECT_TRUE(window().Timer1.isRunning());
}

TEST_F(Dialog, OkAppliesThenHides) {
    d().showModeless();
    controls().Pmess.userTypes(u"Via OK");
    controls().Command1.userClicks();
    EXPECT_EQ(window().Me.caption(), u"Via OK");
    EXPECT_FALSE(controls().Me.isVisible());
}

TEST_F(Dialog, BuiltinIconIgnoresThePathBox) {
    controls().CustIconFileTxt.userTypes(u"/no/such/file.ico");
    controls().IconList.userPicks(5);
    d().Command2_Click();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(window().Picture1.shown.builtin, 5);
}

TEST_F(Dialog, MissingCustomFileIsReportedAndTheRestStillApplies) {
    d().showModeless();
    controls().CustIconFileTxt.userTypes(u"/no/such/file.ico");
    controls().IconList.userPicks(Form2::kCustomIcon);
    controls().Pmess.userTypes(u"Still applied");
    const ShownPicture before = window().Picture1.shown;
    bool shownWhileMessageOpen = false;
    h.whileMessageOpen = [&](const Message&) { shownWhileMessageOpen = controls().Me.isVisible(); };
    controls().Command1.userClicks();
    EXPECT_TRUE(shownWhileMessageOpen) << "OK hides the dialog only after the message";
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, u"Custom icon file does not exist.");
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(window().Me.caption(), u"Still applied");
    EXPECT_EQ(window().Picture1.shown, before) << "the icon stays";
    EXPECT_FALSE(controls().Me.isVisible()) << "OK hides also after the message";
}

TEST_F(Dialog, ExistingCustomFileIsShownAndAnUnreadableOneKeepsTheIcon) {
    const std::u16string picture = h.makeFile("mine.ico");
    const std::u16string broken = h.makeFile("broken.ico");
    window().Picture1.unreadable.push_back(broken);
    controls().IconList.userPicks(Form2::kCustomIcon);
    controls().CustIconFileTxt.userTypes(picture);
    d().Command2_Click();
    EXPECT_EQ(window().Picture1.shown.file, picture);
    controls().CustIconFileTxt.userTypes(broken);
    d().Command2_Click();
    EXPECT_EQ(window().Picture1.shown.file, picture) << "a file that is no picture keeps the icon";
    EXPECT_TRUE(h.messages.empty()) << "existing paths are not reported";
}

TEST_F(Dialog, IconListOpensTheBrowserOnlyForAnEmptyCustomPathWhileShown) {
    controls().IconList.userPicks(Form2::kCustomIcon); // hidden: nothing
    EXPECT_TRUE(h.fileDialogs.empty());

    d().showModeless();
    controls().IconList.userPicks(1);
    h.fileDialogAnswers.push_back(u"/tmp/chosen.ico");
    controls().IconList.userPicks(Form2::kCustomIcon);
    ASSERT_EQ(h.fileDialogs.size(), 1u);
    EXPECT_EQ(h.fileDialogs[0].filter,
              u"Icon Images(*.ico;*.bmp;*.gif)|*.ico;*.bmp;*.gif|All files (*.*)|*.*");
    EXPECT_EQ(h.fileDialogs[0].defaultExtension, u"ico");
    EXPECT_FALSE(h.fileDialogs[0].initialDirectory);
    EXPECT_EQ(h.fileDialogs[0].flags, 0);
    EXPECT_EQ(h.fileDialogs[0].owner, &controls().Me) << "modal to the dialog";
    EXPECT_EQ(controls().CustIconFileTxt.text(), u"/tmp/chosen.ico");
    EXPECT_EQ(window().Picture1.shown.builtin, 0) << "choosing a file shows nothing before Apply";

    controls().IconList.userPicks(3);
    controls().IconList.userPicks(Form2::kCustomIcon); // a path is there: nothing
    EXPECT_EQ(h.fileDialogs.size(), 1u);
}

TEST_F(Dialog, BrowseFillsThePathOnlyAndCancelKeepsIt) {
    controls().CustIconFileTxt.userTypes(u"/kept.ico");
    controls().Command4.userClicks();
    EXPECT_EQ(h.fileDialogs.size(), 1u);
    EXPECT_EQ(controls().CustIconFileTxt.text(), u"/kept.ico");

    h.fileDialogAnswers.push_back(std::u16string(u"/chosen.ico\0tail", 16));
    controls().Command4.userClicks();
    EXPECT_EQ(controls().CustIconFileTxt.text(), u"/chosen.ico") << "a text box ends at a NUL";
    EXPECT_EQ(controls().IconList.currentIndex(), 0) << "browsing does not pick (Custom...)";
    EXPECT_EQ(window().Picture1.shown.builtin, 0) << "nor shows the picture";
}

TEST_F(Dialog, ScreenSaverBoxActsAtOnce) {
    d().Ssav.setValue(CheckBox::Checked);
    d().Ssav.setValue(CheckBox::Checked); // no change, no action
    d().Ssav.setValue(CheckBox::Unchecked);
    d().Ssav.setValue(CheckBox::Grayed);
    EXPECT_FALSE(d().Ssav.setValue(3)) << "no check-box value";
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true}));
    controls().Ssav.userClicks();
    EXPECT_EQ(d().Ssav.value(), CheckBox::Checked) << "a click on grayed checks";
    controls().Ssav.userClicks();
    EXPECT_EQ(d().Ssav.value(), CheckBox::Unchecked);
    EXPECT_EQ(h.screenSaverCalls, (std::vector<bool>{false, true, true, false, true}));
    EXPECT_EQ(window().Me.caption(), u"Processing...") << "no Apply involved";
}

TEST_F(Dialog, WebButtonAndLogoOpenTheSamePage) {
    controls().Command3.userClicks();
    controls().Picture1.userClicks();
    ASSERT_EQ(h.openedPages.size(), 2u);
    EXPECT_EQ(h.openedPages[0], h.openedPages[1]);
    EXPECT_EQ(h.openedPages[0].rfind(u"https://", 0), 0u);
    EXPECT_NE(h.openedPages[0].find(u".example"), std::u16string::npos);
}

TEST_F(Dialog, EveryCloseRequestOnlyHides) {
    d().showModeless();
    controls().Pmess.userTypes(u"not applied");
    controls().Me.close();
    EXPECT_FALSE(controls().Me.isVisible());
    EXPECT_EQ(window().Me.caption(), u"Processing...") << "closing applies nothing";
    EXPECT_EQ(d().Pmess.text(), u"not applied") << "and keeps the edits";
    int Cancel = 0;
    d().Form_QueryUnload(Cancel);
    EXPECT_NE(Cancel, 0) << "the close is refused";
    d().showModeless();
    EXPECT_TRUE(controls().Me.isVisible());
}

TEST_F(Dialog, TextBoxesHoldTextOnlyUpToANul) {
    d().Pmess.setText(std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(d().Pmess.text(), u"ab");
    d().Pmess.setText(std::u16string(1, u'\0'));
    EXPECT_EQ(d().Pmess.text(), u"");
}

} // namespace
