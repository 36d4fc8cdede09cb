// What a screen reader learns of both windows through Qt's accessibility
// interfaces: every control's role and name, the bars' values, and the status
// line's changes.
#include "AccessibilityEvents.h"
#include "QtHarness.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }
    QtHarness h;
};

QAccessibleInterface* of(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// The names of the labels that name a control (Linux screen readers name a
// drop-down list by these rather than by its name, which is its selection).
QStringList labelledBy(QAccessibleInterface* control) {
    QStringList names;
    for (const auto& [label, relation] : control->relations(QAccessible::Label))
        names += label->text(QAccessible::Name);
    return names;
}

struct Spoken {
    QWidget* control;
    QAccessible::Role role;
    QString name;
};

TEST_F(Accessibility, EveryControlHasTheNameOfItsLabel) {
    Form2Widget& d = h.w2();
    std::vector<Spoken> controls{
        {d.Pmess, QAccessible::EditableText, "Title"},
        {d.ButText, QAccessible::EditableText, "Button Text"},
        {d.CustIconFileTxt, QAccessible::EditableText, "Custom Icon (32x32)"},
        {d.DualChk, QAccessible::CheckBox, "Dual progress bars"},
        {d.Ssav, QAccessible::CheckBox, "Disable Screen Saver"},
        {d.Command4, QAccessible::Button, "Browse"},
        {d.Command2, QAccessible::Button, "Apply"},
        {d.Command1, QAccessible::Button, "OK"},
        {h.w1().Picture1, QAccessible::Button, "Options"},
        {h.w1().Command1, QAccessible::Button, "Cancel"},
    };
    for (int i = 0; i < Form2Controls::kMessages; ++i) {
        controls.push_back(
            {d.Status[i], QAccessible::EditableText, QStringLiteral("Status %1").arg(i + 1)});
        controls.push_back(
            {d.Speedbox[i], QAccessible::EditableText, QStringLiteral("Delay %1").arg(i + 1)});
    }
    for (const Spoken& c : controls) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        QAccessibleInterface* spoken = of(c.control);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->role(), c.role);
        EXPECT_EQ(spoken->text(QAccessible::Name), c.name);
        if (c.name.startsWith(u"Delay")) {
            EXPECT_EQ(spoken->text(QAccessible::Description),
                      QStringLiteral("Milliseconds, from 1 to 50000"));
        }
    }

    // A frame is a grouping named by its caption that names no control.
    for (QGroupBox* frame : {d.Frame1, d.Frame2}) {
        QAccessibleInterface* spoken = of(frame);
        EXPECT_EQ(spoken->role(), QAccessible::Grouping);
        EXPECT_EQ(spoken->text(QAccessible::Name), frame->title());
        EXPECT_TRUE(spoken->relations(QAccessible::Labelled).isEmpty())
            << frame->title().toStdString() << " labels "
            << spoken->relations(QAccessible::Labelled).size() << " controls";
    }

    QAccessibleInterface* list = of(d.IconList);
    EXPECT_EQ(list->role(), QAccessible::ComboBox);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Icon"));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("Gear"));
    EXPECT_EQ(labelledBy(list).value(0), QStringLiteral("Icon"));
    ASSERT_EQ(list->childCount(), 1) << "the items, in the popup's list";
    EXPECT_EQ(list->child(0)->childCount(), 8);
    EXPECT_EQ(labelledBy(of(d.CustIconFileTxt)).value(0), QStringLiteral("Custom Icon (32x32)"));
    EXPECT_EQ(labelledBy(of(d.Pmess)).value(0), QStringLiteral("Title:"));
}

TEST_F(Accessibility, TheListsPopupLeavesNoItemFocusedOnceClosed) {
    Form2Widget& d = h.w2();
    d.show();
    d.IconList->setCurrentIndex(2);
    QAccessibleInterface* items = of(d.IconList)->child(0);
    const auto focusedItems = [&] {
        QStringList focused;
        for (int i = 0; i < items->childCount(); ++i)
            if (items->child(i)->state().focused)
                focused += items->child(i)->text(QAccessible::Name);
        return focused;
    };
    for (int round = 0; round < 2; ++round) {
        d.IconList->showPopup();
        EXPECT_EQ(d.IconList->view()->currentIndex().row(), 2) << "the choice is current when open";
        d.IconList->hidePopup();
        EXPECT_TRUE(focusedItems().isEmpty()) << focusedItems().join(u',').toStdString();
    }
}

TEST_F(Accessibility, TheIconBoxIsAButtonThatOpensTheOptions) {
    QAccessibleActionInterface* actions = of(h.w1().Picture1)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(h.w2().isVisible());
    EXPECT_EQ(of(h.w2().Picture1)->role(), QAccessible::Button) << "the logo takes clicks too";
}

TEST_F(Accessibility, WindowsAreAFrameAndADialogNamedByTheirCaptions) {
    h.dialog().Pmess.setText(u"Compiling");
    h.dialog().Command2_Click();
    QAccessibleInterface* window = of(&h.w1());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Compiling"));
    QAccessibleInterface* dialog = of(&h.w2());
    EXPECT_EQ(dialog->role(), QAccessible::Dialog);
    EXPECT_EQ(dialog->text(QAccessible::Name), QStringLiteral("Options"));
}

TEST_F(Accessibility, BarsAreNamedProgressBarsWithValuesToReadNotToSet) {
    h.tick(41 + 7);
    h.frame(); // the ticks came faster than frames
    struct Bar {
        QProgressBar* bar;
        QString name;
        int position;
    };
    for (const Bar& b :
         {Bar{h.w1().PB[0], "Task progress", 7}, Bar{h.w1().PB[1], "Overall progress", 1}}) {
        SCOPED_TRACE(b.name.toStdString());
        QAccessibleInterface* spoken = of(b.bar);
        EXPECT_EQ(spoken->role(), QAccessible::ProgressBar);
        EXPECT_EQ(spoken->text(QAccessible::Name), b.name);
        EXPECT_TRUE(spoken->state().readOnly);
        QAccessibleValueInterface* value = spoken->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toInt(), b.position);
        EXPECT_EQ(value->minimumValue().toInt(), 0);
        EXPECT_EQ(value->maximumValue().toInt(), 40);
        value->setCurrentValue(30);
        EXPECT_EQ(b.bar->value(), b.position) << "a tool cannot move the bar";
        const QStringList actions =
            spoken->actionInterface() ? spoken->actionInterface()->actionNames() : QStringList();
        EXPECT_TRUE(actions.isEmpty()) << actions.join(u',').toStdString();
    }
    EXPECT_EQ(of(h.w1().PB[0])->text(QAccessible::Value), QStringLiteral("17%"));
}

TEST_F(Accessibility, FastTicksTellTheBarsValueOncePerFrame) {
    h.stepFramesByHand();
    for (TextBox* box : h.dialog().Speedbox)
        box->setText(u"1");
    h.dialog().Command2_Click(); // 1 ms from now on
    h.qt1().timer().setEnabled(false);
    h.frame(); // a frame has just begun: what follows waits for the next
    AccessibilityEvents events;
    QProgressBar* bar = h.w1().PB[0];
    h.tick(25);
    QCoreApplication::processEvents(); // no frame comes of the event loop by itself
    EXPECT_TRUE(events.values(bar).empty())
        << events.values(bar).size() << " value changes before the frame";
    h.frame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.values(bar).empty(); }, 5000));
    EXPECT_EQ(events.values(bar), std::vector<int>{25}) << "one change, to the latest value";
    EXPECT_EQ(of(bar)->valueInterface()->currentValue().toInt(), 25);
}

// Each new message once, as a new name and as its text replaced, which a
// reader that follows live regions announces.
TEST_F(Accessibility, StatusLineChangesAreAnnounced) {
    AccessibilityEvents events;
    h.tick(41 * 2);
    h.dialog().Status[1]->setText(u"Applied now");
    h.tick(41 * 2);
    h.dialog().Command2_Click(); // the message shown again: nothing new to say
    const std::vector<QString> shown{"Linking Data...", "Updating...", "Reading Files...",
                                     "Applied now"};
    QLabel* status = h.w1().ProcessName;
    EXPECT_EQ(events.names(status, QAccessible::NameChanged), shown);
    EXPECT_EQ(events.textUpdates(status),
              (std::vector<std::pair<QString, QString>>{{"Reading Files...", shown[0]},
                                                        {shown[0], shown[1]},
                                                        {shown[1], shown[2]},
                                                        {shown[2], shown[3]}}));
    QAccessibleInterface* spoken = of(status);
    EXPECT_EQ(spoken->role(), QAccessible::StaticText);
    ASSERT_NE(spoken->textInterface(), nullptr);
    EXPECT_EQ(spoken->textInterface()->text(0, spoken->textInterface()->characterCount()),
              QStringLiteral("Applied now"));
}

} // namespace
