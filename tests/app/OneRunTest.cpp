// A run with options of its own: what they set is shown for this run and the
// stored settings stay; what the user changes in the dialog meanwhile is
// stored; a first start greets no one; a run that waits for a command ends
// when the command does, with its status.
#include "Harness.h"

#include <gtest/gtest.h>

namespace {

std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

TEST(OneRun, TheRunsSettingsAreShownAndTheStoredOnesStay) {
    Harness h;
    const std::pair<std::u16string, std::u16string> stored[]{
        {u"Title", u"Mine"},       {u"ButtonText", u"My button"},
        {u"Status0", u"Stored 0"}, {u"Speed0", u"70"},
        {u"Speed1", u"80"},        {u"Dual", u"1"},
        {u"Icon", u"2"},           {u"Saver", u"0"}};
    for (const auto& [name, text] : stored)
        h.storeText(name, text);
    h.run = RunSettings{.title = u"Deploying...",
                        .buttonText = u"Abort",
                        .messages = {{u"Step one", 500}, {u"Step two", {}}},
                        .dual = false,
                        .builtinIcon = 5};
    h.start();

    MemoryForm1& w = h.w1();
    EXPECT_EQ(w.Me.caption(), u"Deploying...");
    EXPECT_EQ(w.Command1.caption(), u"Abort");
    EXPECT_EQ(w.ProcessName.caption(), u"Step one");
    EXPECT_EQ(w.Timer1.interval(), 500);
    EXPECT_FALSE(w.PB[1].isVisible());
    EXPECT_EQ(w.Picture1.shown.builtin, 5);
    EXPECT_EQ(h.dialog().Pmess.text(), u"Deploying...") << "the dialog shows what the run shows";
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(h.screenSaverCalls.empty());

    // The second message keeps the speed its place has; the empty third ends the cycle.
    for (int tick = 0; tick < Form1::kBarSteps; ++tick)
        w.Timer1.tick();
    EXPECT_EQ(w.ProcessName.caption(), u"Step two");
    EXPECT_EQ(w.Timer1.interval(), 80);
    for (int tick = 0; tick < Form1::kBarSteps; ++tick)
        w.Timer1.tick();
    EXPECT_EQ(w.ProcessName.caption(), u"Step one");

    w.Command1.userClicks();
    for (const auto& [name, text] : stored)
        EXPECT_EQ(h.storedText(name), text) << narrow(name);
    EXPECT_EQ(h.storedText(u"Status1"), u"Linking Data...")
        << "a setting the run set, of which nothing was stored, is stored as the default";
}

TEST(OneRun, WhatTheUserChangesDuringTheRunIsStored) {
    Harness h;
    h.storeText(u"Title", u"Mine");
    h.storeText(u"ButtonText", u"My button");
    h.storeText(u"Saver", u"0");
    h.run = RunSettings{.title = u"Run title", .buttonText = u"Run button", .keepScreenOn = true};
    h.start();
    h.w2().Pmess.userTypes(u"Edited in the run");
    h.w2().Status[3].userTypes(u"Four");
    h.w1().Me.close();
    EXPECT_EQ(h.storedText(u"Title"), u"Edited in the run");
    EXPECT_EQ(h.storedText(u"Status3"), u"Four");
    EXPECT_EQ(h.storedText(u"ButtonText"), u"My button");
    EXPECT_EQ(h.storedText(u"Saver"), u"0");

    h.run.reset();
    h.restart();
    EXPECT_EQ(h.w1().Me.caption(), u"Edited in the run");
    EXPECT_EQ(h.w1().Command1.caption(), u"My button");
}

TEST(OneRun, AFirstStartGreetsNoOneAndLeavesTheWelcomeForAPlainStart) {
    for (const bool userEdits : {false, true}) {
        SCOPED_TRACE(userEdits ? "the user edits the title" : "the user changes nothing");
        Harness h(Harness::Store::FirstStart);
        h.run = RunSettings{.title = u"Scripted"};
        h.start();
        EXPECT_TRUE(h.messages.empty());
        EXPECT_FALSE(h.program.FirstRun);
        EXPECT_FALSE(h.w2().Me.isVisible());
        EXPECT_EQ(h.w1().Me.caption(), u"Scripted");
        if (userEdits) h.w2().ButText.userTypes(u"Chosen");
        h.w1().Me.close();
        if (userEdits) {
            EXPECT_EQ(h.storedText(u"ButtonText"), u"Chosen");
            EXPECT_EQ(h.storedText(u"Title"), u"Processing...") << "not the run's title";
            continue;
        }
        EXPECT_FALSE(h.storedText(u"Title")) << "no settings key was made";
        h.run.reset();
        h.restart();
        ASSERT_EQ(h.messages.size(), 1u) << "the welcome comes at the next plain start";
        EXPECT_EQ(h.messages[0].icon, MessageIcon::Information);
        EXPECT_TRUE(h.w2().Me.isVisible());
    }
}

TEST(OneRun, TheScreenOptionsTakeThePlaceOfTheStoredSwitch) {
    struct Case {
        const char16_t* stored;
        bool keepOn;
        std::vector<bool> calls;
    };
    const Case cases[]{
        {u"1", false, {}}, // the stored switch is never applied: the saver is left alone
        {u"0", false, {}},
        {u"0", true, {false, false}}, // by the box, then by the startup, as a stored "1"
        {u"1", true, {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.stored) + (c.keepOn ? " --keep-screen-on" : " --no-keep-screen-on"));
        Harness h;
        h.storeText(u"Saver", c.stored);
        h.run = RunSettings{.keepScreenOn = c.keepOn};
        h.start();
        EXPECT_EQ(h.screenSaverCalls, c.calls);
        EXPECT_EQ(h.dialog().Ssav.value(), c.keepOn ? CheckBox::Checked : CheckBox::Unchecked);
        h.w1().Me.close();
        EXPECT_EQ(h.storedText(u"Saver"), c.stored);
    }
}

TEST(OneRun, APictureFileIsShownAndTheStoredIconStays) {
    Harness h;
    h.storeText(u"Icon", u"3");
    const std::u16string picture = h.makeFile("run.bmp");
    h.run = RunSettings{.iconFile = picture};
    h.start();
    EXPECT_EQ(h.w1().Picture1.shown.file, picture);
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(h.fileDialogs.empty()) << "choosing the custom entry while hidden opens nothing";
    h.w1().Me.close();
    EXPECT_EQ(h.storedText(u"Icon"), u"3");
    EXPECT_EQ(h.storedText(u"CustIconPath"), std::u16string(1, u'\0'));
}

TEST(OneRun, TheEndWaitsForTheCommandAndTakesItsStatus) {
    Harness h;
    h.start();
    int stops = 0;
    h.Form1().waitForCommand([&stops] { ++stops; });
    h.w1().Command1.userClicks();
    EXPECT_EQ(stops, 1) << "the button asks the command to stop";
    EXPECT_FALSE(h.Form1().hasEnded());
    EXPECT_TRUE(h.w1().Me.isVisible());
    h.w1().Timer1.tick();
    EXPECT_EQ(h.w1().PB[0].value(), 1) << "the window animates on while the command stops";
    h.w1().Me.close(); // the close box, or a signal
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(h.endCalls, 0);

    h.w2().Pmess.userTypes(u"Stored at the end");
    h.Form1().commandEnded(130);
    EXPECT_TRUE(h.Form1().hasEnded());
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_EQ(h.Form1().exitStatus(), 130);
    EXPECT_EQ(h.storedText(u"Title"), u"Stored at the end");
    EXPECT_EQ(stops, 2);
}

} // namespace
