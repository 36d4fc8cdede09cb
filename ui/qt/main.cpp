#include "ClassicFont.h"
#include "DiagnosticsChannel.h"
#include "ExitSignals.h"
#include "NoAutolaunchedBus.h"
#include "ProgramState.h"
#include "QtPlatformServices.h"
#include "QtProgram.h"
#include "SessionInhibitor.h"

#include <QApplication>
#include <QSessionManager>

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
    SessionInhibitor sessionInhibitor(QApplication::applicationName(),
                                      QStringLiteral("Tarrowin is showing progress"));
    services.setScreenSaverActive =
        withSessionInhibition(services.setScreenSaverActive, sessionInhibitor);
    QtProgram tarrowin(program, services);
    Form1& form1 = tarrowin.form1;

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
