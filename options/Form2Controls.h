#pragma once
// The options dialog's controls, as a front end hands them to Form2. They must
// outlive the Form2 built over them, and hold their values from the moment
// Form2 exists: the settings live in them, shown or not. A front end may build
// the dialog's real widgets later, when they are first needed, as long as
// nothing it shows differs.
//
//   Form2(ProgressWindow& form1, const Form2Controls& controls, ProgramState& program,
//         PlatformServices& services);   // created by Form1's Form_Load
//
// Form2 hooks its handlers to the controls' events in its constructor and runs
// its Form_Load (which fills IconList and selects entry 0).

#include "CheckBox.h"
#include "CommandButton.h"
#include "DropDownList.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "Window.h"

#include <array>

struct Form2Controls {
    // The status messages, each with its speed; the settings store keeps as
    // many as there are here.
    static constexpr int kMessages = 5;

    Window& Me;                               // the dialog itself
    TextBox& Pmess;                           // the window title
    std::array<TextBox*, kMessages> Status;   // the five messages
    std::array<TextBox*, kMessages> Speedbox; // their speeds
    TextBox& CustIconFileTxt;                 // the custom icon's path
    TextBox& ButText;                         // the button's caption
    CheckBox& DualChk;                        // the second bar
    CheckBox& Ssav;                           // the screen saver off
    DropDownList& IconList;                   // the icon choice, 0 to 7
    PictureBox& Picture1;                     // the maker's logo, a link
    CommandButton& Command1;                  // OK
    CommandButton& Command2;                  // Apply
    CommandButton& Command3;                  // the web-site button
    CommandButton& Command4;                  // browse for a custom icon
};

// The controls of an object that keeps them under the names above, Status and
// Speedbox as arrays of controls: how front ends and tests hold them.
template <typename Holder> Form2Controls form2ControlsOf(Holder& h) {
    return {h.Me,
            h.Pmess,
            {&h.Status[0], &h.Status[1], &h.Status[2], &h.Status[3], &h.Status[4]},
            {&h.Speedbox[0], &h.Speedbox[1], &h.Speedbox[2], &h.Speedbox[3], &h.Speedbox[4]},
            h.CustIconFileTxt,
            h.ButText,
            h.DualChk,
            h.Ssav,
            h.IconList,
            h.Picture1,
            h.Command1,
            h.Command2,
            h.Command3,
            h.Command4};
}
