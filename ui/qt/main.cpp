#include "ClassicFont.h"
#include "DiagnosticsChannel.h"
#include "ExitSignals.h"
#include "KeepAwake.h"
#include "NoAutolaunchedBus.h"
#include "ProgramState.h"
#include "QtPlatformServices.h"
#include "QtProgram.h"
#include "ScreenKeeper.h"
#include "SessionInhibitor.h"
#include "WaylandIdleInhibitor.h"

#include <QApplication>
#include <QSessionManager>

#include <memory>

int main(int argc, char* argv[]) {
    keepFromAutolaunchingSessionBus(); // before Qt first looks for the bus
    QApplication app(argc, argv);
    installQtDiagnostics();
    QApplication::setApplicationName(QStringLiteral("Tarrowin"));
    // Ties the windows to the installed menu entry (icon, taskbar grouping).
    QApplication::setDesktopFileName(QStringLiteral("example.quillmoor.Tarrowin"));
    // Hidden dialogs and closed message boxes never end the program; only the
    // progress window's shutdown does.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    ProgramState program;
    PlatformServices services = qtPlatformServices();
    QtProgram tarrowin(program, services);
    Form1& form1 = tarrowin.form1;

    // "Disable Screen Saver" asks every way this desktop may listen to, and
    // its box tells what holds the screen on. Made after the windows and gone
    // before them: the compositor's inhibitor is on the progress window.
    KeepAwakeReport keepAwake;
    keepAwake.onChange = [&tarrowin](const std::u16string& note) {
        tarrowin.window2.setScreenSaverNote(QString::fromStdU16String(note));
    };
    tarrowin.window2.setScreenSaverNote(QString::fromStdU16String(keepAwake.text()));
    SessionInhibitor sessionInhibitor(QApplication::applicationName(),
                                      QStringLiteral("Tarrowin is showing progress"));
    std::unique_ptr<WaylandIdleInhibitor> compositor;
    if (WaylandIdleInhibitor::onWayland())
        compositor = std::make_unique<WaylandIdleInhibitor>(tarrowin.window1.widget());
    ScreenKeeper screenKeeper(keepAwake, sessionInhibitor, compositor.get());
    services.setScreenSaverActive = [&screenKeeper](bool active) {
        return screenKeeper.setScreenSaverActive(active);
    };

    // Being asked to stop runs the same shutdown as the window's own close: the
    // settings are stored first. Also while a startup message waits for the user.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::requested, &app, [&form1] { form1.Me.close(); });
    // When the desktop session is about to end, the settings are stored at once;
    // the logout may still be cancelled, so the program goes on until it is
    // really stopped, which runs the shutdown as above.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&form1](QSessionManager&) { form1.SetReg(); });

    form1.Form_Load();
    if (form1.hasEnded()) return 0; // the event loop was left before it ran
    form1.Me.show();
    return app.exec();
}
