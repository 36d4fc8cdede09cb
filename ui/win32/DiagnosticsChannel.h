#pragma once
// The diagnostics lines on Windows: OutputDebugString, which a debugger or
// DebugView shows (under Wine: WINEDEBUG=+debugstr), once TARROWIN_DIAGNOSTICS
// asks for them.

void installNativeDiagnostics();
