#include "DiagnosticsChannel.h"

#include "Diagnostics.h"

#include <windows.h>

#include <string>

namespace {

// The lines are UTF-8, the program's active code page (its manifest).
void toDebugger(Diagnostics::Area area, std::string_view message) {
    std::string line = "Tarrowin: ";
    line += Diagnostics::areaName(area);
    line += ": ";
    line += message;
    line += '\n';
    OutputDebugStringA(line.c_str());
}

} // namespace

void installNativeDiagnostics() {
    Diagnostics::setSink(toDebugger);
}
