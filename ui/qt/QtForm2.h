#pragma once
// The options dialog on Qt Widgets. Its controls exist, holding the layout's
// values, from the start; its widgets are built only when first needed (shown,
// or asked for as the owner of a file dialog), and then take the controls'
// values over. A program that never opens the dialog never pays for them.

#include "Form2Controls.h"
#include "QtControls.h"
#include "QtWindow.h"
#include "ui_Form2.h"

#include <array>
#include <memory>

class Form2Widget : public FormWidget, public Ui::Form2 {
public:
    explicit Form2Widget(QtWindow& window);

    // The control arrays, indexed from 0.
    std::array<QLineEdit*, Form2Controls::kMessages> Status;
    std::array<QLineEdit*, Form2Controls::kMessages> Speedbox;
    std::array<QLabel*, 1> Label4;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showCreditReadably();
};

class QtForm2 {
public:
    QtForm2();
    ~QtForm2();

    Form2Controls controls();
    // The dialog's widgets, built now if they do not exist yet.
    Form2Widget& widget();
    bool isBuilt() const { return widget_ != nullptr; }
    // Holds the dialog's showing until `first` is on the screen (QtWindow).
    void showAfter(QWidget& first) { Me.showAfter(first); }
    // What keeps the screen on, as the "Disable Screen Saver" box's tooltip
    // and accessible description; kept until the widgets are built.
    void setScreenSaverNote(const QString& note);

private:
    template <typename Holder> friend Form2Controls form2ControlsOf(Holder&);
    Form2Widget* build();

    QtWindow Me;
    std::unique_ptr<Form2Widget> widget_;
    QString screenSaverNote_;
    QtTextBox Pmess;
    std::array<QtTextBox, Form2Controls::kMessages> Status;
    std::array<QtTextBox, Form2Controls::kMessages> Speedbox;
    QtTextBox CustIconFileTxt;
    QtTextBox ButText;
    QtCheckBox DualChk;
    QtCheckBox Ssav;
    QtDropDownList IconList;
    QtPictureBoxControl Picture1;
    QtCommandButton Command1, Command2, Command3, Command4;
};
