// The windows from the keyboard alone: Tab reaches the pictures, Space and
// Enter press them and the focused push button, Enter elsewhere and Escape
// press nothing, and a speed corrected while typing is replaced by the next key.
#include "Form2.h"
#include "Form2Controls.h"
#include "NativeForms.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "ProgressWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A key as the message loop hands it on: through the dialog keys.
void press(WPARAM key) {
    const HWND target = GetFocus();
    MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
    const HWND root = GetAncestor(target, GA_ROOT);
    if (!IsDialogMessageW(root, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MSG pending;
    while (PeekMessageW(&pending, target, WM_CHAR, WM_CHAR, PM_REMOVE))
        if (!IsDialogMessageW(root, &pending)) DispatchMessageW(&pending);
    msg.message = WM_KEYUP;
    msg.lParam = LPARAM(0xC0000001); // released, was down
    if (!IsDialogMessageW(root, &msg)) DispatchMessageW(&msg);
}

std::string nameOf(const FormWindow& form, HWND window) {
    for (const auto& entry : form.layout().controls)
        if (form.child(entry.name) == window) return std::string(entry.name);
    return window ? "(another window)" : "(none)";
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { forms.form2.build(); }
    NativeForms forms;
    int clicks = 0;
    ControlEvent count() {
        return [this] { ++clicks; };
    }
};

TEST_F(Keyboard, TabReachesEachPictureAfterTheButtonsAndSpaceOrEnterPressesIt) {
    struct Case {
        FormWindow* form;
        const char* lastButton;
    };
    for (const Case c : {Case{&forms.form1, "Command1"}, Case{&forms.form2, "Command1"}}) {
        SCOPED_TRACE(c.form->layout().name);
        auto& picture = c.form->control<NativePictureBox>("Picture1");
        picture.Click = count();
        clicks = 0;
        c.form->show();
        SetFocus(c.form->child(c.lastButton));
        press(VK_TAB);
        ASSERT_EQ(nameOf(*c.form, GetFocus()), "Picture1");
        press(VK_SPACE);
        EXPECT_EQ(clicks, 1) << "Space";
        press(VK_RETURN);
        EXPECT_EQ(clicks, 2) << "Enter";
        press(VK_ESCAPE);
        EXPECT_EQ(clicks, 2) << "Escape";
        press(VK_TAB);
        EXPECT_NE(nameOf(*c.form, GetFocus()), "Picture1") << "Tab leaves it again";
    }
}

TEST_F(Keyboard, AClickOnAPictureLeavesTheFocusWhereItWas) {
    forms.form1.show();
    const HWND button = forms.form1.child("Command1");
    SetFocus(button);
    const HWND picture = forms.form1.child("Picture1");
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(nameOf(forms.form1, GetFocus()), "Command1");
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonHoweverTheFocusCameThere) {
    // Activation: the progress window's button has the focus from the start.
    auto& cancel = forms.form1.control<NativeButton>("Command1");
    cancel.Click = count();
    forms.form1.show();
    ASSERT_EQ(nameOf(forms.form1, GetFocus()), "Command1");
    press(VK_RETURN);
    EXPECT_EQ(clicks, 1) << "the progress window's button, focused at the start";

    forms.form2.show();
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
        auto& button = forms.form2.control<NativeButton>(name);
        button.Click = count();
        clicks = 0;
        SetFocus(button.hwnd()); // as a click or a program gives it
        press(VK_RETURN);
        EXPECT_EQ(clicks, 1) << name;
        EXPECT_EQ(SendMessageW(button.hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
                  DLGC_DEFPUSHBUTTON)
            << name << " shows that Enter presses it";
    }
    // By Tab, which resets the buttons' styles on its way.
    auto& apply = forms.form2.control<NativeButton>("Command2");
    apply.Click = count();
    clicks = 0;
    SetFocus(forms.form2.child("Command3"));
    press(VK_TAB);
    ASSERT_EQ(nameOf(forms.form2, GetFocus()), "Command2");
    press(VK_RETURN);
    EXPECT_EQ(clicks, 1) << "Apply, reached by Tab";

    // Away from the buttons, no button is the default any more.
    clicks = 0;
    for (const char* box : {"Pmess", "Speedbox_0", "IconList", "CustIconFileTxt"}) {
        SetFocus(forms.form2.child(box));
        press(VK_RETURN);
        press(VK_ESCAPE);
        for (const char* name : {"Command1", "Command2", "Command3", "Command4"})
            EXPECT_EQ(
                SendMessageW(forms.form2.child(name), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0)
                << name << " with the focus in " << box;
    }
    EXPECT_EQ(clicks, 0) << "Enter or Escape in a text box or the list";
}

class StandInWindow final : public ProgressWindow {
public:
    void showStatus(std::u16string_view) override {}
    void setTimerInterval(std::u16string_view) override {}
    void setTitle(std::u16string_view) override {}
    void setButtonText(std::u16string_view) override {}
    void showSecondBar(bool) override {}
    void showBuiltinIcon(int) override {}
    bool showCustomIcon(std::u16string_view) override { return true; }
};

TEST_F(Keyboard, TheNextKeyReplacesASpeedTheRuleCorrected) {
    StandInWindow window;
    ProgramState program;
    PlatformServices services;
    services.prepareControls = [] { return true; };
    Form2 dialog(window, forms.form2Controls(), program, services);
    forms.form2.show();
    const HWND box = forms.form2.child("Speedbox_0");
    SetFocus(box);
    const auto type = [box](const std::wstring& keys) {
        for (const wchar_t key : keys)
            SendMessageW(box, WM_CHAR, key, 1);
    };
    const auto shown = [box] {
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        return std::wstring(text);
    };
    struct Case {
        std::wstring typed, kept;
    };
    for (const Case& c : {Case{L"\b200", L"200"}, Case{L"0.5", L"5"}, Case{L"-5", L"5"},
                          Case{L"99999", L"50000"}, Case{L"999992", L"2"}}) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        type(c.typed);
        EXPECT_EQ(shown(), c.kept)
            << "typed over the whole text: " << std::string(c.typed.begin(), c.typed.end());
    }
    // Another program setting the text: the rule runs, as for typing.
    SendMessageW(box, WM_SETTEXT, 0, LPARAM(L"0"));
    EXPECT_EQ(shown(), L"1");
    EXPECT_EQ(dialog.Speedbox[0]->text(), u"1");
}

} // namespace
