#pragma once
// The options dialog. Its controls are the one live copy of every setting: the
// progress window reads them when it needs them, the settings store loads them
// at startup and saves them at the end. Closing the dialog only hides it.

#include "ui_Form2.h"

#include <QWidget>

#include <array>

class Form1;
struct PlatformServices;
struct ProgramState;

class Form2 : public QWidget, public Ui::Form2 {
    Q_OBJECT
public:
    // The dialog is created hidden and runs its load handling at once.
    Form2(::Form1& form1, ProgramState& program, PlatformServices& services);

    static constexpr int kMessages = 5; // status messages, each with its speed

    // Control arrays, indexed from 0.
    std::array<QLineEdit*, kMessages> Status;
    std::array<QLineEdit*, kMessages> Speedbox;
    std::array<QLabel*, 1> Label4;

    static constexpr int kCustomIcon = 7; // the "(Custom...)" entry of IconList
    // The speeds, in milliseconds, that the speed rule keeps every speed box within.
    static constexpr int kFastestSpeed = 1;
    static constexpr int kSlowestSpeed = 50000;
    static const QString kWebSite;
    static const QString kIconFilter;

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

    // Shows the dialog, not modal and without owner; one already open stays open
    // and comes to the front.
    void showModeless();

    bool ToggleScreenSaverActive(bool Active);
    void ShowWebPage(const QString& WebURL);

    // Sets a text box's text the way the settings store does: a text box holds its
    // text only up to the first NUL character.
    static void assignText(QLineEdit* box, const QString& text);

protected:
    // Every close request is refused and turned into hiding the dialog.
    void closeEvent(QCloseEvent* event) override;

private:
    ::Form1& form1_;
    ProgramState& program_;
    PlatformServices& services_;
};
