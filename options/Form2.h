#pragma once
// The options dialog's behaviour. Its controls are the one live copy of every
// setting: the progress window reads them when it needs them, the settings
// store loads them at startup and saves them at the end. Closing the dialog
// only hides it. Plain C++: a front end hands it the controls it works on.

#include "Form2Controls.h"

#include <array>
#include <string_view>

class ProgressWindow;
struct PlatformServices;
struct ProgramState;

class Form2 : public Form2Controls {
public:
    // The dialog is created hidden: hooks its handlers to the controls' events
    // and runs its load handling at once.
    Form2(ProgressWindow& form1, const Form2Controls& controls, ProgramState& program,
          PlatformServices& services);

    // The entries of IconList: the built-in pictures by name, then the custom one.
    static constexpr std::array<std::u16string_view, 8> kIconNames{
        u"Gear", u"Arrow", u"Scissors", u"Folder", u"Files", u"CD", u"Monitor", u"(Custom...)"};
    static constexpr int kCustomIcon = 7; // the "(Custom...)" entry of IconList
    // The speeds, in milliseconds, that the speed rule keeps every speed box within.
    static constexpr int kFastestSpeed = 1;
    static constexpr int kSlowestSpeed = 50000;
    static constexpr std::u16string_view kWebSite = u"https://www.quillmoor.example/";
    static constexpr std::u16string_view kIconFilter =
        u"Icon Images(*.ico;*.bmp;*.gif)|*.ico;*.bmp;*.gif|All files (*.*)|*.*";

    // Handlers, named after the control and event that run them.
    void Form_Load();
    void IconList_Click();
    void Speedbox_Change(int index);
    void Ssav_Click();
    void Command1_Click(); // OK
    void Command2_Click(); // Apply
    void Command3_Click(); // the web-site button
    void Command4_Click(); // browse for a custom icon
    void Picture1_Click(); // the logo
    void Form_QueryUnload(int& Cancel);

    // Shows the dialog, not modal and without owner; one already open stays open
    // and comes to the front.
    void showModeless();

    bool ToggleScreenSaverActive(bool Active);
    void ShowWebPage(std::u16string_view WebURL);

private:
    ProgressWindow& form1_;
    ProgramState& program_;
    PlatformServices& services_;
};
