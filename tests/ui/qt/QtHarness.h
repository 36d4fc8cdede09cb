#pragma once
// The program on Qt Widgets, as main builds it, wired to recording services
// instead of the desktop: message boxes, file dialogs, the screen saver and the
// web page are recorded, and the test answers for the user.

#include "Form2.h"
#include "FramePace.h"
#include "PlatformServices.h"
#include "ProgramState.h"
#include "QtProgram.h"

#include <QPixmap>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <vector>

class QtHarness {
public:
    // A settings store of its own, whose key exists without values: every
    // control at its default and no welcome.
    QtHarness();
    ~QtHarness();

    QTemporaryDir storeFolder;
    ProgramState program;
    PlatformServices services;
    std::vector<QString> messages;
    std::vector<QWidget*> fileDialogOwners;
    std::deque<QString> fileDialogAnswers; // empty: the user cancels
    std::vector<bool> screenSaverCalls;
    std::vector<QString> openedPages;
    int endCalls = 0;

    std::unique_ptr<QtProgram> tarrowin;
    FramePace::Clock::time_point frameClock{std::chrono::seconds(100)};

    // Writes one text value into the settings key, as the program would.
    void storeText(const QString& name, const QString& text);

    // Builds the windows and runs the startup, then shows the progress window.
    void start();
    // Ticks the animation n times by hand.
    void tick(int n = 1);
    // Puts the bars' frames on a clock that moves only when frame() moves it,
    // so that no frame comes by itself.
    void stepFramesByHand();
    // A frame's time later: the frame the bars' latest values wait for runs now.
    void frame();

    ::Form1& Form1() { return tarrowin->form1; }
    Form2& dialog() { return tarrowin->form1.dialog(); }
    QtForm1& qt1() { return tarrowin->window1; }
    Form1Widget& w1() { return tarrowin->window1.widget(); }
    // The dialog's widgets, built now if they do not exist yet.
    Form2Widget& w2() { return tarrowin->window2.widget(); }
};

// Two pictures with the same pixels; a null picture matches nothing.
inline bool samePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}
