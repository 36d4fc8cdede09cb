// The controls of the native windows, as the behaviour's forms take them.
#include "NativeForms.h"

#include "Form1Controls.h"
#include "Form2Controls.h"

#include <string>

Form1Controls NativeForms::form1Controls() {
    return Form1Controls{
        .Me = form1,
        .ProcessName = form1.control<NativeLabel>("ProcessName"),
        .PB = {&form1.control<NativeProgressBar>("PB_0"),
               &form1.control<NativeProgressBar>("PB_1")},
        .Picture1 = form1.control<NativePictureBox>("Picture1"),
        .Command1 = form1.control<NativeButton>("Command1"),
        .Timer1 = timer1,
    };
}

Form2Controls NativeForms::form2Controls() {
    auto boxes = [this](const char* stem) {
        std::array<TextBox*, Form2Controls::kMessages> found{};
        for (int i = 0; i < Form2Controls::kMessages; ++i)
            found[i] = &form2.control<NativeTextBox>(std::string(stem) + "_" + std::to_string(i));
        return found;
    };
    return Form2Controls{
        .Me = form2,
        .Pmess = form2.control<NativeTextBox>("Pmess"),
        .Status = boxes("Status"),
        .Speedbox = boxes("Speedbox"),
        .CustIconFileTxt = form2.control<NativeTextBox>("CustIconFileTxt"),
        .ButText = form2.control<NativeTextBox>("ButText"),
        .DualChk = form2.control<NativeCheckBox>("DualChk"),
        .Ssav = form2.control<NativeCheckBox>("Ssav"),
        .IconList = form2.control<NativeDropDownList>("IconList"),
        .Picture1 = form2.control<NativePictureBox>("Picture1"),
        .Command1 = form2.control<NativeButton>("Command1"),
        .Command2 = form2.control<NativeButton>("Command2"),
        .Command3 = form2.control<NativeButton>("Command3"),
        .Command4 = form2.control<NativeButton>("Command4"),
    };
}
