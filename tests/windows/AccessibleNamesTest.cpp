// What a screen reader on Windows learns of each control through the
// system's accessibility proxies (oleacc): its name and role, and the keyboard
// shortcut of a mnemonic. A text box, a list or a bar shows a value, not a
// caption, so the proxies name it by the label just before it in the windows'
// order; the others by their own text.
//
// Wine's oleacc reads a name only through that label for text boxes, and gives
// every class but the text box the generic client role: for the rest the test
// checks what the real proxies read instead (the label before the control,
// its window class and style).
#include "NativeForms.h"

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using Layout::ControlKind;

std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::string narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());
}

struct Accessible {
    std::wstring name, shortcut;
    long role = -1;
    HRESULT found = E_FAIL; // what oleacc answered for the object
};

Accessible accessibleOf(HWND window) {
    Accessible found;
    IAccessible* object = nullptr;
    // The interface's id from its declaration: mingw-w64's import library
    // hands out IID_IAccessible as an import thunk, not as the id.
    found.found = AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object));
    if (FAILED(found.found) || !object) return found;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text) found.name = text;
    SysFreeString(text);
    text = nullptr;
    if (object->get_accKeyboardShortcut(self, &text) == S_OK && text) found.shortcut = text;
    SysFreeString(text);
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) found.role = role.lVal;
    object->Release();
    return found;
}

// The name a screen reader should say: the layout's accessible name, or what a
// caption shows without its mnemonic's ampersand.
std::wstring expectedName(const Layout::ControlEntry& entry) {
    if (!entry.accessibleName.empty()) return std::wstring(entry.accessibleName);
    std::wstring name;
    for (const wchar_t c : entry.caption)
        if (c != L'&') name += c;
    return name;
}

// A label's text said as a name: the colon that ends it is not compared.
std::wstring withoutColon(std::wstring text) {
    if (!text.empty() && text.back() == L':') text.pop_back();
    return text;
}

class AccessibleNames : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        forms.form1.show();
        forms.form2.show();
    }
    void TearDown() override { CoUninitialize(); }
    NativeForms forms;
};

TEST_F(AccessibleNames, EveryValueIsNamedByTheLabelJustBeforeIt) {
    for (const FormWindow* form : {&forms.form1, &forms.form2})
        for (const auto& entry : form->layout().controls) {
            if (entry.kind != ControlKind::TextBox && entry.kind != ControlKind::DropDownList &&
                entry.kind != ControlKind::ProgressBar)
                continue;
            SCOPED_TRACE(std::string(entry.name));
            const HWND control = form->child(entry.name);
            const HWND label = GetWindow(control, GW_HWNDPREV);
            wchar_t kind[32] = {};
            GetClassNameW(label, kind, 32);
            EXPECT_EQ(lstrcmpiW(kind, L"Static"), 0) << "before it: " << narrow(kind);
            EXPECT_EQ(withoutColon(textOf(label)), expectedName(entry));
            if (entry.kind == ControlKind::TextBox) {
                const Accessible spoken = accessibleOf(control);
                EXPECT_EQ(withoutColon(spoken.name), expectedName(entry))
                    << "oleacc answered " << std::hex << spoken.found;
                EXPECT_EQ(spoken.role, ROLE_SYSTEM_TEXT);
            }
        }
}

TEST_F(AccessibleNames, ButtonsPicturesAndBarsAreNamedByTheirOwnText) {
    for (const FormWindow* form : {&forms.form1, &forms.form2})
        for (const auto& entry : form->layout().controls) {
            if (entry.kind != ControlKind::Button && entry.kind != ControlKind::CheckBox &&
                entry.kind != ControlKind::PictureBox && entry.kind != ControlKind::ProgressBar)
                continue;
            SCOPED_TRACE(std::string(entry.name));
            const Accessible spoken = accessibleOf(form->child(entry.name));
            EXPECT_EQ(spoken.name, expectedName(entry));
        }
    EXPECT_EQ(accessibleOf(forms.form2.child("Command2")).shortcut, L"Alt+A");
    EXPECT_EQ(accessibleOf(forms.form2.child("Command1")).shortcut, L"Alt+O");
}

TEST_F(AccessibleNames, EachControlIsOfTheClassWhoseProxyGivesItsRole) {
    struct Case {
        const char* name;
        const wchar_t* windowClass;
        LONG_PTR type; // the style's kind of button, or -1
    };
    const Case cases[] = {
        {"Command1", L"Button", BS_PUSHBUTTON}, {"Command4", L"Button", BS_PUSHBUTTON},
        {"DualChk", L"Button", BS_3STATE},      {"IconList", L"ComboBox", -1},
        {"CustIconFileTxt", L"Edit", -1},       {"Label8", L"Static", -1},
    };
    for (const Case& c : cases) {
        const HWND control = forms.form2.child(c.name);
        wchar_t kind[32] = {};
        RealGetWindowClassW(control, kind, 32);
        EXPECT_EQ(lstrcmpiW(kind, c.windowClass), 0) << c.name << " is a " << narrow(kind);
        if (c.type >= 0) {
            EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, c.type) << c.name;
        }
    }
    wchar_t kind[32] = {};
    RealGetWindowClassW(forms.form1.child("PB_0"), kind, 32);
    EXPECT_EQ(lstrcmpiW(kind, PROGRESS_CLASSW), 0) << narrow(kind);
}

} // namespace
