#include "QtForm1.h"

#include "ClassicFont.h"
#include "EnterPressesButton.h"
#include "FirstLineOnly.h"
#include "FocusRing.h"
#include "Pictures.h"
#include "ScreenCentring.h"
#include "WidgetAccessibility.h"

Form1Widget::Form1Widget(QtWindow& window) : FormWidget(window, QAccessible::Window) {
    setupUi(this);
    PB = {PB_0, PB_1};
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(Pictures::progressWindowIcon());
    applyClassicFontSizes(this);
    Picture1->setCursorOnEnter([this] { return Pictures::iconBoxCursor(devicePixelRatioF()); });
    centreOnScreen(*this);
    pressFocusedButtonsOnEnter(*this);
    ringFocusedButtons(*this);
    // The focus starts on the button: the icon comes after it, but a cycle of
    // two stops has no first stop of its own.
    Command1->setFocus();

    // The status line's last pixel row is the first bar's top border: the bars
    // lie over the label, which shows its first line only.
    ProcessName->lower();
    showFirstLineOnly(*ProcessName);
    makeLiveRegion(*ProcessName);

    // A bar repaints itself only when the new position moves its fill by a whole
    // chunk of the style; one step of 40 is less than that, so every step asks
    // for its own repaint (one per frame at most, as every update is).
    for (QProgressBar* bar : PB)
        connect(bar, &QProgressBar::valueChanged, bar, qOverload<>(&QWidget::update));
}

QtForm1::QtForm1() : Me([this] { return &widget_; }), widget_(Me) {
    ProcessName.bind(widget_.ProcessName);
    for (int i = 0; i < 2; ++i)
        PB[i].bind(widget_.PB[i], frames_);
    Picture1.bind(widget_.Picture1, [this](int index, const QtPictureBox&) { return icos(index); });
    Command1.bind(widget_.Command1);
}

Form1Controls QtForm1::controls() {
    return {Me, ProcessName, {&PB[0], &PB[1]}, Picture1, Command1, Timer1};
}

QPixmap QtForm1::icos(int index) const {
    return Pictures::builtinIcon(index, widget_.devicePixelRatioF());
}
