#include "ClassicFont.h"
#include "ExitSignals.h"
#include "Form1.h"
#include "PlatformServices.h"
#include "ProgramState.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarrowin"));
    // Hidden dialogs and closed message boxes never end the program; only the
    // progress window's shutdown does.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    ProgramState program;
    PlatformServices services = PlatformServices::system();
    Form1 form1(program, services);

    // Being asked to stop, or the desktop session ending, runs the same shutdown
    // as the window's own close: the settings are stored first. Also while a
    // startup message waits for the user.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::requested, &form1, &QWidget::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                     [&form1](QSessionManager&) { form1.close(); });

    form1.Form_Load();
    if (form1.hasEnded()) return 0; // the event loop was left before it ran
    form1.show();
    return app.exec();
}
