#include "ChildCommand.h"
#include "ClassicFont.h"
#include "CommandLine.h"
#include "DiagnosticsChannel.h"
#include "ExitSignals.h"
#include "KeepAwake.h"
#include "NoAutolaunchedBus.h"
#include "OpenDisplay.h"
#include "ProgramState.h"
#include "QtCommandLine.h"
#include "QtPlatformServices.h"
#include "QtProgram.h"
#include "RunEnds.h"
#include "ScreenKeeper.h"
#include "SessionInhibitor.h"
#include "SettingsFileAction.h"
#include "WaylandIdleInhibitor.h"

#include <QApplication>
#include <QSessionManager>

#include <memory>
#include <unistd.h>

int main(int argc, char* argv[]) {
    ChildCommand::noteStartingState();
    // The options are read before Qt sees any: --help needs no display, and
    // what is ours (--title) is never taken by Qt as its own.
    CommandLine line = parseCommandLine(argumentsOf(argc, argv), Conventions::Posix, qtOptions());
    checkWithSystem(line,
                    {fullPathOfFile, processExists, [] { return std::uint32_t(::getpid()); }});
    if (const auto status =
            answerWithoutWindow(line, Conventions::Posix, settingsPlace(), printOut, printError))
        return *status;
    if (const auto status = doSettingsFileAction(line, printError)) return *status;
    std::vector<char*> qtArguments{argv[0]};
    for (std::size_t index : line.toolkitArguments)
        qtArguments.push_back(argv[index + 1]);
    qtArguments.push_back(nullptr);
    int qtArgumentCount = int(qtArguments.size()) - 1;

    keepFromAutolaunchingSessionBus(); // before Qt first looks for the bus
    const auto app = openDisplay(qtArgumentCount, qtArguments.data());
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
    if (line.ownOptions) form1.runWith(line.settings);

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
    QObject::connect(&exitSignals, &ExitSignals::requested, app.get(),
                     [&form1] { form1.Me.close(); });
    // When the desktop session is about to end, the settings are stored at once;
    // the logout may still be cancelled, so the program goes on until it is
    // really stopped, which runs the shutdown as above.
    QObject::connect(app.get(), &QGuiApplication::commitDataRequest, app.get(),
                     [&form1](QSessionManager&) { form1.SetReg(); });

    // A run that ends by itself ends as the button ends it.
    RunEnds runEnds([&form1] { form1.Me.close(); });
    if (line.runFor) runEnds.endAfter(*line.runFor);
    if (line.runWhile) runEnds.endWith(*line.runWhile);
    std::unique_ptr<ChildCommand> command;
    if (line.command) {
        ChildCommand::Failure failure{};
        command = ChildCommand::start(&argv[*line.command + 1], failure);
        if (!command) {
            printError(QString::fromStdString(failure.message).toStdU16String());
            return failure.status;
        }
        form1.waitForCommand([&command] { command->stop(); });
        QObject::connect(command.get(), &ChildCommand::ended, app.get(),
                         [&form1](int status) { form1.commandEnded(status); });
    }

    form1.Form_Load();
    if (!form1.hasEnded()) { // else the event loop was left before it ran
        form1.Me.show();
        app->exec();
    }
    return form1.exitStatus();
}
