#include "Form2.h"

#include "ClassicFont.h"
#include "Form1.h"
#include "NumberText.h"
#include "Pictures.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "QtText.h"
#include "SystemActions.h"
#include "WindowCaption.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyleFactory>

#include <limits>

const QString Form2::kWebSite = QStringLiteral("https://www.quillmoor.example/");
const QString Form2::kIconFilter =
    QStringLiteral("Icon Images(*.ico;*.bmp;*.gif)|*.ico;*.bmp;*.gif|All files (*.*)|*.*");

namespace {
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

Form2::Form2(::Form1& form1, ProgramState& program, PlatformServices& services)
    : form1_(form1), program_(program), services_(services) {
    setupUi(this);
    Status = {Status_0, Status_1, Status_2, Status_3, Status_4};
    Speedbox = {Speedbox_0, Speedbox_1, Speedbox_2, Speedbox_3, Speedbox_4};
    Label4 = {Label4_0};
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setMaxLength(std::numeric_limits<int>::max()); // text boxes have no length limit

    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(Pictures::optionsWindowIcon());
    applyClassicFontSizes(this);
    captionInBorder(Frame1);
    captionInBorder(Frame2);

    QPalette credit = Label8->palette();
    credit.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label8->setPalette(credit);
    QPalette logo = Picture1->palette();
    logo.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(logo);
    Picture1->setPicture(Pictures::logoBanner());
    Picture1->setCursor(Pictures::logoCursor());
    Command4->setIcon(QIcon(Pictures::browsePicture()));
    setFocusProxy(Pmess); // the keyboard focus starts in the title box

    connect(IconList, &QComboBox::currentIndexChanged, this, &Form2::IconList_Click);
    for (int i = 0; i < int(Speedbox.size()); ++i)
        connect(Speedbox[i], &QLineEdit::textChanged, this, [this, i](const QString& typed) {
            Speedbox_Change(i);
            // When the rule replaced the text, the replacement is selected: the
            // next key replaces it instead of being added after it.
            if (Speedbox[i]->text() != typed) Speedbox[i]->selectAll();
        });
    connect(Ssav, &QCheckBox::stateChanged, this, &Form2::Ssav_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Picture1, &PictureBox::clicked, this, &Form2::Picture1_Click);

    Form_Load();
}

void Form2::Form_Load() {
    InitializeCommonControls();
    // The list starts with nothing selected, so that selecting the first entry
    // is a change that runs IconList_Click, as loading a stored icon will be.
    {
        const QSignalBlocker filling(IconList);
        IconList->addItems({QStringLiteral("Gear"), QStringLiteral("Arrow"),
                            QStringLiteral("Scissors"), QStringLiteral("Folder"),
                            QStringLiteral("Files"), QStringLiteral("CD"),
                            QStringLiteral("Monitor"), QStringLiteral("(Custom...)")});
        IconList->setCurrentIndex(-1);
    }
    IconList->setCurrentIndex(0);
}

void Form2::IconList_Click() {
    if (IconList->currentIndex() == kCustomIcon && CustIconFileTxt->text().isEmpty() && isVisible())
        Command4_Click();
}

void Form2::Speedbox_Change(int index) {
    QLineEdit* box = Speedbox[index];
    // Setting the text runs this handler again, nested; that run finds the value
    // in range and changes nothing. A value in range is left as typed.
    if (box->text().isEmpty() || NumberText::leadingNumber(view(box->text())) < kFastestSpeed)
        box->setText(QString::number(kFastestSpeed));
    if (NumberText::leadingNumber(view(box->text())) > kSlowestSpeed)
        box->setText(QString::number(kSlowestSpeed));
}

void Form2::Ssav_Click() {
    ToggleScreenSaverActive(Ssav->value() != ValueCheckBox::Checked);
}

void Form2::Command1_Click() {
    Command2_Click();
    hide();
}

void Form2::Command2_Click() {
    const int i = program_.MsgIndex;
    form1_.ProcessName->setText(Status[i]->text());
    form1_.setTimerInterval(Speedbox[i]->text());
    showCaption(form1_, Pmess->text());
    form1_.Command1->setText(ButText->text());
    form1_.PB[1]->setVisible(DualChk->value() != ValueCheckBox::Unchecked);
    const int icon = IconList->currentIndex();
    if (icon < kCustomIcon) form1_.showBuiltinIcon(icon);
    if (icon == kCustomIcon) form1_.showCustomIcon(CustIconFileTxt->text());
}

void Form2::Command3_Click() { ShowWebPage(kWebSite); }

void Form2::Picture1_Click() { ShowWebPage(kWebSite); }

void Form2::Command4_Click() {
    const QString path = services_.showOpenFileDialog(kIconFilter, QStringLiteral("ico"), QString(),
                                                      0, this);
    if (!path.isEmpty()) assignText(CustIconFileTxt, path);
}

void Form2::showModeless() {
    show();
    raise();
    activateWindow();
}

bool Form2::ToggleScreenSaverActive(bool Active) { return services_.setScreenSaverActive(Active); }

void Form2::ShowWebPage(const QString& WebURL) { services_.openWebPage(WebURL); }

void Form2::assignText(QLineEdit* box, const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    box->setText(nul < 0 ? text : text.left(nul));
}

void Form2::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
