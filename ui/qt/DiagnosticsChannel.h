#pragma once
// The diagnostics lines on Qt: one logging category for each area,
// tarrowin.store, tarrowin.session, tarrowin.screensaver, tarrowin.picture and
// tarrowin.events, whose info lines TARROWIN_DIAGNOSTICS switches on (and
// QT_LOGGING_RULES can narrow further).

void installQtDiagnostics();
