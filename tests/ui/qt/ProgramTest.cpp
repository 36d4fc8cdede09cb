// The program on Qt: the dialog's widgets built only when first needed, its
// controls holding the layout's values before that, the window's close box,
// and the stop signals.
#include "ExitSignals.h"
#include "QtHarness.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST(Program, TheDialogsWidgetsWaitUntilTheDialogIsFirstShown) {
    QtHarness h;
    h.start();
    EXPECT_FALSE(h.tarrowin->window2.isBuilt()) << "a start that shows no dialog builds none";
    EXPECT_EQ(h.w1().windowTitle(), QStringLiteral("Processing..."));
    EXPECT_EQ(h.w1().ProcessName->text(), QStringLiteral("Reading Files..."));

    h.dialog().Pmess.setText(u"edited before shown");
    h.dialog().DualChk.setValue(CheckBox::Grayed);
    h.dialog().IconList.setCurrentIndex(3);
    QTest::mouseClick(h.w1().Picture1, Qt::LeftButton);
    ASSERT_TRUE(h.tarrowin->window2.isBuilt());
    Form2Widget& d = h.w2();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Pmess->text(), QStringLiteral("edited before shown"));
    EXPECT_EQ(d.DualChk->value(), ValueCheckBox::Grayed);
    EXPECT_EQ(d.IconList->count(), 8);
    EXPECT_EQ(d.IconList->currentIndex(), 3);
    EXPECT_EQ(d.Speedbox[2]->text(), QStringLiteral("400"));

    d.Status[1]->setText(QStringLiteral("typed")); // from now on the widgets hold the values
    EXPECT_EQ(h.dialog().Status[1]->text(), u"typed");
}

TEST(Program, ControlsBeforeTheWidgetsHoldTheLayoutsValues) {
    // Every text and check mark the dialog's controls start with is the one
    // its widgets are built with.
    QtHarness h;
    h.start();
    Form2& behaviour = h.dialog();
    std::vector<std::pair<QString, std::u16string>> before{
        {"Pmess", behaviour.Pmess.text()},
        {"ButText", behaviour.ButText.text()},
        {"CustIconFileTxt", behaviour.CustIconFileTxt.text()}};
    for (int i = 0; i < 5; ++i) {
        before.push_back({QStringLiteral("Status_%1").arg(i), behaviour.Status[i]->text()});
        before.push_back({QStringLiteral("Speedbox_%1").arg(i), behaviour.Speedbox[i]->text()});
    }
    const int dual = behaviour.DualChk.value(), saver = behaviour.Ssav.value();
    EXPECT_EQ(dual, CheckBox::Checked);
    EXPECT_EQ(behaviour.Pmess.text(), u"Processing...");

    Ui::Form2 fresh;
    QWidget plain;
    fresh.setupUi(&plain);
    for (const auto& [name, text] : before) {
        auto* box = plain.findChild<QLineEdit*>(name);
        ASSERT_NE(box, nullptr) << name.toStdString();
        EXPECT_EQ(box->text().toStdU16String(), text) << name.toStdString();
    }
    EXPECT_EQ(fresh.DualChk->value(), dual);
    EXPECT_EQ(fresh.Ssav->value(), saver);
}

TEST(Program, TheCloseBoxRunsTheShutdownOnceAndTheDialogOnlyHides) {
    QtHarness h;
    h.start();
    h.dialog().showModeless();
    EXPECT_FALSE(h.w2().close()) << "the dialog refuses";
    EXPECT_FALSE(h.w2().isVisible());
    h.dialog().showModeless();
    EXPECT_TRUE(h.w1().close());
    EXPECT_EQ(h.endCalls, 1);
    EXPECT_FALSE(h.w2().isVisible());
    EXPECT_TRUE(h.w1().close()) << "a second request finds the program ended";
    EXPECT_EQ(h.endCalls, 1);
}

TEST(ExitSignals, StopSignalsAskForTheShutdown) {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        ExitSignals stops;
        QSignalSpy requested(&stops, &ExitSignals::requested);
        std::raise(number);
        EXPECT_TRUE(requested.wait(5000)) << "signal " << number;
    }
}

TEST(ExitSignals, AnIgnoredHangUpStaysIgnored) {
    const auto previous = std::signal(SIGHUP, SIG_IGN); // as nohup starts a program
    {
        ExitSignals stops;
        QSignalSpy requested(&stops, &ExitSignals::requested);
        std::raise(SIGHUP); // ignored: the process lives on
        std::raise(SIGTERM);
        ASSERT_TRUE(requested.wait(5000));
        EXPECT_EQ(requested.count(), 1) << "only the SIGTERM";
    }
    std::signal(SIGHUP, previous);
}

} // namespace
