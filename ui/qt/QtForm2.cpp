#include "QtForm2.h"

#include "ClassicFont.h"
#include "Contrast.h"
#include "EnterPressesButton.h"
#include "FocusRing.h"
#include "Form2.h"
#include "LayoutValues.h"
#include "Pictures.h"
#include "WidgetAccessibility.h"

#include <QApplication>
#include <QStyleFactory>

#include <limits>

// Resources compiled into a static library are only registered when something
// refers to them; Q_INIT_RESOURCE does, from the global namespace.
static void registerLayoutResources() {
    Q_INIT_RESOURCE(layouts);
}

namespace {
constexpr int kMessages = Form2Controls::kMessages;

// The dialog's layout, compiled in: the controls' values before its widgets exist.
const QString kLayout = QStringLiteral(":/layouts/Form2.ui");

// Frames here draw their caption in their top border, over the line, whatever
// the desktop's style does with group boxes; the rest keeps the desktop's look.
void captionInBorder(QGroupBox* frame) {
    static QStyle* const style = [] {
        QStyle* windows = QStyleFactory::create(QStringLiteral("Windows"));
        if (windows) windows->setParent(qApp); // lives as long as the application
        return windows;
    }();
    if (style) frame->setStyle(style);
}
} // namespace

Form2Widget::Form2Widget(QtWindow& window) : FormWidget(window, QAccessible::Dialog) {
    setupUi(this);
    Status = {Status_0, Status_1, Status_2, Status_3, Status_4};
    Speedbox = {Speedbox_0, Speedbox_1, Speedbox_2, Speedbox_3, Speedbox_4};
    Label4 = {Label4_0};
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setMaxLength(std::numeric_limits<int>::max()); // text boxes have no length limit
        // Centred, a line edit places its text by the text's own extent: one
        // with a descender sits higher than one of digits, and typing a "g"
        // moves it. From the top, every text has one baseline, as in a
        // Windows edit box.
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(Pictures::optionsWindowIcon());
    applyClassicFontSizes(this);
    captionInBorder(Frame1);
    captionInBorder(Frame2);

    showCreditReadably();
    QPalette logo = Picture1->palette();
    logo.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(logo);
    Picture1->setPicture(Pictures::logoBanner());
    Picture1->setCursor(Pictures::logoCursor());
    Command4->setIcon(QIcon(Pictures::browsePicture()));
    const QString speedRange = QStringLiteral("Milliseconds, from %1 to %2")
                                   .arg(::Form2::kFastestSpeed)
                                   .arg(::Form2::kSlowestSpeed);
    for (QLineEdit* box : Speedbox)
        box->setAccessibleDescription(speedRange);
    leaveNoItemFocused(*IconList);
    setFocusProxy(Pmess); // the keyboard focus starts in the title box
    pressFocusedButtonsOnEnter(*this);
    ringFocusedButtons(*this);
}

void Form2Widget::showCreditReadably() {
    // Blue where it reads on the window, as described; on a dark window the
    // palette's link colour, made lighter where even that does not read.
    static const QColor kCreditBlue(0, 0, 255);
    const QPalette colours = palette();
    QPalette credit = Label8->palette();
    credit.setColor(QPalette::WindowText, readableText(kCreditBlue, colours.color(QPalette::Link),
                                                       colours.color(QPalette::WindowText),
                                                       colours.color(QPalette::Window)));
    Label8->setPalette(credit);
}

void Form2Widget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) showCreditReadably();
    FormWidget::changeEvent(event);
}

void Form2Widget::showEvent(QShowEvent* event) {
    // The focus shows at once wherever it is, also on a button that the
    // keyboard pressed to close the dialog last time: Enter would press it
    // again unseen. Qt otherwise waits for the next Tab.
    setAttribute(Qt::WA_KeyboardFocusChange);
    FormWidget::showEvent(event);
}

QtForm2::QtForm2() : Me([this] { return build(); }) {
    registerLayoutResources();
    const LayoutValues layout = LayoutValues::read(kLayout);
    const auto text = [&layout](const char* name) {
        return layout.texts.value(QLatin1String(name)).toStdU16String();
    };
    const auto checked = [&layout](const char* name) {
        return layout.checked.value(QLatin1String(name)) ? CheckBox::Checked : CheckBox::Unchecked;
    };
    Pmess = QtTextBox(text("Pmess"));
    for (int i = 0; i < kMessages; ++i) {
        Status[i] = QtTextBox(text(qPrintable(QStringLiteral("Status_%1").arg(i))));
        Speedbox[i] = QtTextBox(text(qPrintable(QStringLiteral("Speedbox_%1").arg(i))));
    }
    CustIconFileTxt = QtTextBox(text("CustIconFileTxt"));
    ButText = QtTextBox(text("ButText"));
    DualChk = QtCheckBox(checked("DualChk"));
    Ssav = QtCheckBox(checked("Ssav"));
}

QtForm2::~QtForm2() = default;

Form2Controls QtForm2::controls() {
    return form2ControlsOf(*this);
}

void QtForm2::setScreenSaverNote(const QString& note) {
    screenSaverNote_ = note;
    if (!widget_) return;
    widget_->Ssav->setToolTip(note);
    widget_->Ssav->setAccessibleDescription(note);
}

Form2Widget& QtForm2::widget() {
    Me.widget();
    return *widget_;
}

Form2Widget* QtForm2::build() {
    widget_ = std::make_unique<Form2Widget>(Me);
    Form2Widget& w = *widget_;
    Pmess.bind(w.Pmess);
    for (int i = 0; i < kMessages; ++i) {
        Status[i].bind(w.Status[i]);
        Speedbox[i].bind(w.Speedbox[i]);
    }
    CustIconFileTxt.bind(w.CustIconFileTxt);
    ButText.bind(w.ButText);
    DualChk.bind(w.DualChk);
    Ssav.bind(w.Ssav);
    IconList.bind(w.IconList);
    Picture1.bind(w.Picture1);
    Command1.bind(w.Command1);
    Command2.bind(w.Command2);
    Command3.bind(w.Command3);
    Command4.bind(w.Command4);
    setScreenSaverNote(screenSaverNote_);
    return widget_.get();
}
