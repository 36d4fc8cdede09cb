// The native controls as the behaviour sees them: every change runs the
// control's event exactly once, the program's own changes and the user's
// alike; Enter and Escape press no button.
#include "NativeForms.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <chrono>
#include <string>

namespace {

class NativeControls : public ::testing::Test {
protected:
    void SetUp() override { forms.form2.build(); }
    NativeForms forms;
    int events = 0;
    ControlEvent count() {
        return [this] { ++events; };
    }
    // A key as the message loop hands it on: through the dialog keys.
    void press(HWND target, WPARAM key) {
        MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
        if (!IsDialogMessageW(GetAncestor(target, GA_ROOT), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        msg.message = WM_KEYUP;
        if (!IsDialogMessageW(GetAncestor(target, GA_ROOT), &msg)) DispatchMessageW(&msg);
    }
};

TEST_F(NativeControls, TextBoxRunsChangeOnceForEachNewTextFromProgramOrUser) {
    auto& box = forms.form2.control<NativeTextBox>("Pmess");
    box.Change = count();
    box.setText(u"Compiling...");
    EXPECT_EQ(events, 1);
    box.setText(u"Compiling..."); // the same text is no change
    EXPECT_EQ(events, 1);
    SendMessageW(box.hwnd(), EM_SETSEL, 12, 12);
    SendMessageW(box.hwnd(), WM_CHAR, L'!', 0); // typed at the end of the text
    EXPECT_EQ(events, 2);
    EXPECT_EQ(box.text(), u"Compiling...!");
    EXPECT_EQ(windowText(box.hwnd()), u"Compiling...!") << "what the edit control shows";
}

TEST_F(NativeControls, TypingAfterTheChangeHandlingReplacedTheTextReplacesItAgain) {
    auto& box = forms.form2.control<NativeTextBox>("Speedbox_1");
    box.setText(u"5");
    box.Change = [&box] { // as the speed rule does with a 0
        if (box.text() == u"50") box.setText(u"1");
    };
    SendMessageW(box.hwnd(), EM_SETSEL, 1, 1);
    SendMessageW(box.hwnd(), WM_CHAR, L'0', 0);
    EXPECT_EQ(windowText(box.hwnd()), u"1");
    DWORD from = 0, to = 0;
    SendMessageW(box.hwnd(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, 0u) << "the replacement is selected";
    EXPECT_EQ(to, 1u);
    SendMessageW(box.hwnd(), WM_CHAR, L'7', 0);
    EXPECT_EQ(box.text(), u"7") << "and the next key replaces it";
    SendMessageW(box.hwnd(), WM_CHAR, L'0', 0);
    EXPECT_EQ(box.text(), u"70");
    SendMessageW(box.hwnd(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, to) << "a text the handling kept stays as typed, nothing selected";
}

TEST_F(NativeControls, TextBoxKeepsTextUpToTheFirstNulAndHasNoLengthLimit) {
    auto& box = forms.form2.control<NativeTextBox>("Status_3");
    box.setText(std::u16string(u"before\0after", 12));
    EXPECT_EQ(box.text(), u"before");
    EXPECT_EQ(windowText(box.hwnd()), u"before") << "what the edit control shows";
    const std::u16string longText(70000, u'x'); // past an edit box's default limit
    box.setText(longText);
    EXPECT_EQ(box.text().size(), longText.size());
    EXPECT_EQ(windowText(box.hwnd()).size(), longText.size()) << "what the edit control holds";
}

TEST_F(NativeControls, CheckBoxClicksToggleBetweenUncheckedAndChecked) {
    auto& box = forms.form2.control<NativeCheckBox>("Ssav");
    box.Click = count();
    struct Step {
        int before;
        int after;
    };
    // A grayed box, which only a stored value makes, becomes checked.
    for (const Step step : {Step{0, 1}, Step{1, 0}, Step{2, 1}}) {
        box.setValue(step.before);
        events = 0;
        SendMessageW(box.hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(box.value(), step.after) << "from " << step.before;
        EXPECT_EQ(events, 1) << "from " << step.before;
    }
}

TEST_F(NativeControls, CheckBoxShowsEveryValueAndRunsClickOnChangeOnly) {
    auto& box = forms.form2.control<NativeCheckBox>("DualChk");
    EXPECT_EQ(box.value(), CheckBox::Checked); // as the layout has it
    box.Click = count();
    struct Case {
        int value;
        LRESULT shown;
    };
    for (const Case c :
         {Case{2, BST_INDETERMINATE}, Case{0, BST_UNCHECKED}, Case{1, BST_CHECKED}}) {
        events = 0;
        EXPECT_TRUE(box.setValue(c.value));
        EXPECT_EQ(SendMessageW(box.hwnd(), BM_GETCHECK, 0, 0), c.shown);
        EXPECT_EQ(events, 1);
        EXPECT_TRUE(box.setValue(c.value));
        EXPECT_EQ(events, 1) << "setting the same value again is no change";
    }
    EXPECT_FALSE(box.setValue(3));
    EXPECT_EQ(box.value(), CheckBox::Checked);
}

TEST_F(NativeControls, DropDownListRunsClickForTheProgramsAndTheUsersChoice) {
    auto& list = forms.form2.control<NativeDropDownList>("IconList");
    list.Click = count();
    EXPECT_EQ(list.currentIndex(), -1);
    for (const char16_t* item : {u"Gear", u"Arrow", u"Scissors"})
        list.addItem(item);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(list.setCurrentIndex(0)); // Win32 sends nothing for this one
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(list.setCurrentIndex(3));
    SetFocus(list.hwnd());
    press(list.hwnd(), VK_DOWN); // the user steps to the next entry
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_EQ(events, 2);
}

TEST_F(NativeControls, ButtonsRunClickWhenPressed) {
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
        auto& button = forms.form2.control<NativeButton>(name);
        button.Click = count();
        events = 0;
        SendMessageW(button.hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(events, 1) << name;
    }
    auto& cancel = forms.form1.control<NativeButton>("Command1");
    cancel.setCaption(u"Stop");
    EXPECT_EQ(cancel.caption(), u"Stop");
}

TEST_F(NativeControls, EnterAndEscapePressNoButton) {
    forms.form2.show();
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"})
        forms.form2.control<NativeButton>(name).Click = count();
    int closes = 0;
    forms.form2.Unload = [&closes](int& Cancel) {
        ++closes;
        Cancel = 1;
    };
    for (const char* box : {"Pmess", "Speedbox_0", "CustIconFileTxt"})
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            SetFocus(forms.form2.child(box));
            press(forms.form2.child(box), key);
        }
    EXPECT_EQ(events, 0);
    EXPECT_EQ(closes, 0);
}

TEST_F(NativeControls, AltAndTheUnderlinedLetterPressApplyAndOk) {
    forms.form2.show();
    auto& apply = forms.form2.control<NativeButton>("Command2");
    auto& ok = forms.form2.control<NativeButton>("Command1");
    int applied = 0, accepted = 0;
    apply.Click = [&applied] { ++applied; };
    ok.Click = [&accepted] { ++accepted; };
    const HWND title = forms.form2.child("Pmess");
    SetFocus(title);
    for (const WPARAM letter : {WPARAM('A'), WPARAM('O')}) {
        MSG msg{title,           WM_SYSCHAR, letter + ('a' - 'A'),
                LPARAM(1) << 29, 0,          {}}; // bit 29: Alt is down
        IsDialogMessageW(forms.form2.hwnd(), &msg);
    }
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(accepted, 1);
}

TEST_F(NativeControls, FocusStartsOnTheFirstStopAndComesBackToWhereItWas) {
    struct Case {
        FormWindow* form;
        const char* first;
    };
    for (const Case c : {Case{&forms.form1, "Command1"}, Case{&forms.form2, "Pmess"}}) {
        c.form->show();
        EXPECT_EQ(GetFocus(), c.form->child(c.first)) << c.first;
    }
    SetFocus(forms.form2.child("Speedbox_2"));
    forms.form1.show(); // the dialog loses the focus...
    forms.form2.show(); // ...and has it back where it was
    EXPECT_EQ(GetFocus(), forms.form2.child("Speedbox_2"));
}

TEST_F(NativeControls, ProgressBarKeepsItsOwnVisibilityWhileItsWindowIsHidden) {
    auto& bar = forms.form1.control<NativeProgressBar>("PB_1");
    EXPECT_TRUE(bar.isVisible());
    bar.setVisible(false);
    EXPECT_FALSE(bar.isVisible());
    bar.setVisible(true);
    EXPECT_TRUE(bar.isVisible());
}

TEST_F(NativeControls, ProgressBarHandsItsLatestValueToItsWindowOnceAFrame) {
    FramePace::Clock::time_point now{std::chrono::seconds(100)};
    forms.frames.setClock([&now] { return now; });
    auto& bar = forms.form1.control<NativeProgressBar>("PB_0");
    forms.frames.runFrame(); // a frame has just begun: what follows waits for the next
    for (int value = 1; value <= 40; ++value)
        bar.setValue(value);
    EXPECT_EQ(bar.value(), 40);
    EXPECT_EQ(SendMessageW(bar.hwnd(), PBM_GETPOS, 0, 0), 0);
    now += FramePace::kFrame;
    forms.frames.runFrame();
    EXPECT_EQ(SendMessageW(bar.hwnd(), PBM_GETPOS, 0, 0), 40);
}

TEST_F(NativeControls, ClosingAWindowRunsUnloadWhichMayKeepItOpen) {
    forms.form2.show();
    int Cancelled = 1;
    forms.form2.Unload = [&Cancelled](int& Cancel) { Cancel = Cancelled; };
    forms.form2.close();
    EXPECT_TRUE(forms.form2.isVisible());
    Cancelled = 0;
    forms.form2.close();
    EXPECT_FALSE(forms.form2.isVisible());
}

TEST_F(NativeControls, PictureBoxRunsClickForAClickInsideIt) {
    auto& box = forms.form1.control<NativePictureBox>("Picture1");
    box.Click = count();
    SendMessageW(box.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(events, 1);
    SendMessageW(box.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5)); // let go outside
    EXPECT_EQ(events, 1);
}
TEST(HiddenDialog, IsBuiltWhenFirstShownWithEverythingSetBefore) {
    NativeForms forms;
    EXPECT_NE(forms.form1.hwnd(), nullptr);
    EXPECT_EQ(forms.form2.hwnd(), nullptr) << "the hidden dialog costs the start-up no windows";
    auto& title = forms.form2.control<NativeTextBox>("Pmess");
    auto& saver = forms.form2.control<NativeCheckBox>("Ssav");
    auto& icons = forms.form2.control<NativeDropDownList>("IconList");
    int changes = 0;
    title.Change = [&changes] { ++changes; };
    title.setText(u"Linking");
    saver.setValue(CheckBox::Grayed);
    for (const char16_t* item : {u"Gear", u"Arrow", u"Scissors"})
        icons.addItem(item);
    icons.setCurrentIndex(2);
    forms.form2.setCaption(u"Options");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(forms.form2.isVisible());

    forms.form2.show();
    ASSERT_NE(forms.form2.hwnd(), nullptr);
    EXPECT_TRUE(forms.form2.isVisible());
    EXPECT_EQ(changes, 1) << "building the window changes no value";
    wchar_t text[64] = {};
    GetWindowTextW(title.hwnd(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Linking");
    EXPECT_EQ(SendMessageW(saver.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(icons.hwnd(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(icons.hwnd(), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(forms.form2.child("DualChk"), BM_GETCHECK, 0, 0),
              BST_CHECKED); // as the layout has it
}

TEST(HiddenDialog, CloseBeforeItWasEverShownRunsUnload) {
    NativeForms forms;
    int unloads = 0;
    forms.form2.Unload = [&unloads](int& Cancel) {
        ++unloads;
        Cancel = 1;
    };
    forms.form2.close();
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(forms.form2.hwnd(), nullptr);
}
} // namespace
