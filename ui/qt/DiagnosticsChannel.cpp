#include "DiagnosticsChannel.h"

#include "Diagnostics.h"

#include <QLoggingCategory>

namespace {

// Quiet by default: only warnings pass until TARROWIN_DIAGNOSTICS asks for more.
Q_LOGGING_CATEGORY(storeLines, "tarrowin.store", QtWarningMsg)
Q_LOGGING_CATEGORY(sessionLines, "tarrowin.session", QtWarningMsg)
Q_LOGGING_CATEGORY(screenSaverLines, "tarrowin.screensaver", QtWarningMsg)
Q_LOGGING_CATEGORY(pictureLines, "tarrowin.picture", QtWarningMsg)
Q_LOGGING_CATEGORY(eventLines, "tarrowin.events", QtWarningMsg)

const QLoggingCategory& category(Diagnostics::Area area) {
    using Diagnostics::Area;
    switch (area) {
    case Area::Store:
        return storeLines();
    case Area::Session:
        return sessionLines();
    case Area::ScreenSaver:
        return screenSaverLines();
    case Area::Picture:
        return pictureLines();
    case Area::Events:
        return eventLines();
    }
    return eventLines();
}

void toQtLog(Diagnostics::Area area, std::string_view message) {
    qCInfo(category(area)).noquote()
        << QString::fromUtf8(message.data(), qsizetype(message.size()));
}

} // namespace

void installQtDiagnostics() {
    if (!Diagnostics::enabled()) return;
    QLoggingCategory::setFilterRules(QStringLiteral("tarrowin.*.info=true"));
    Diagnostics::setSink(toQtLog);
}
