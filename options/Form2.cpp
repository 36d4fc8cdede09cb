#include "Form2.h"

#include "NumberText.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "ProgressWindow.h"

namespace {
constexpr std::u16string_view kIconExtension = u"ico";
} // namespace

Form2::Form2(ProgressWindow& form1, const Form2Controls& controls, ProgramState& program,
             PlatformServices& services)
    : Form2Controls(controls), form1_(form1), program_(program), services_(services) {
    IconList.Click = [this] { IconList_Click(); };
    for (int i = 0; i < kMessages; ++i)
        Speedbox[i]->Change = [this, i] { Speedbox_Change(i); };
    Ssav.Click = [this] { Ssav_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Me.Unload = [this](int& Cancel) { Form_QueryUnload(Cancel); };
    Form_Load();
}

void Form2::Form_Load() {
    services_.prepareControls();
    // The list starts with nothing selected, so that selecting the first entry
    // is a change that runs IconList_Click, as loading a stored icon will be.
    for (std::u16string_view name : kIconNames)
        IconList.addItem(name);
    IconList.setCurrentIndex(0);
}

void Form2::IconList_Click() {
    if (IconList.currentIndex() == kCustomIcon && CustIconFileTxt.text().empty() && Me.isVisible())
        Command4_Click();
}

void Form2::Speedbox_Change(int index) {
    TextBox& box = *Speedbox[index];
    // Setting the text runs this handler again, nested; that run finds the value
    // in range and changes nothing. A value in range is left as typed.
    if (box.text().empty() || NumberText::leadingNumber(box.text()) < kFastestSpeed)
        box.setText(NumberText::decimal(kFastestSpeed));
    if (NumberText::leadingNumber(box.text()) > kSlowestSpeed)
        box.setText(NumberText::decimal(kSlowestSpeed));
}

void Form2::Ssav_Click() {
    ToggleScreenSaverActive(Ssav.value() != CheckBox::Checked);
}

void Form2::Command1_Click() {
    Command2_Click();
    Me.hide();
}

void Form2::Command2_Click() {
    const int i = program_.MsgIndex;
    form1_.showStatus(Status[i]->text());
    form1_.setTimerInterval(Speedbox[i]->text());
    form1_.setTitle(Pmess.text());
    form1_.setButtonText(ButText.text());
    form1_.showSecondBar(DualChk.value() != CheckBox::Unchecked);
    const int icon = IconList.currentIndex();
    if (icon < kCustomIcon) form1_.showBuiltinIcon(icon);
    if (icon == kCustomIcon) form1_.showCustomIcon(CustIconFileTxt.text());
}

void Form2::Command3_Click() {
    ShowWebPage(kWebSite);
}

void Form2::Picture1_Click() {
    ShowWebPage(kWebSite);
}

void Form2::Command4_Click() {
    const std::u16string path =
        services_.showOpenFileDialog(kIconFilter, kIconExtension, std::nullopt, 0, &Me);
    if (!path.empty()) CustIconFileTxt.setText(path);
}

void Form2::Form_QueryUnload(int& Cancel) {
    Cancel = 1; // the dialog lives as long as the program
    Me.hide();
}

void Form2::showModeless() {
    Me.show();
}

bool Form2::ToggleScreenSaverActive(bool Active) {
    return services_.setScreenSaverActive(Active);
}

void Form2::ShowWebPage(std::u16string_view WebURL) {
    services_.openWebPage(WebURL);
}
