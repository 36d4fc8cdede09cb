#pragma once
// The platform services of the behaviour on Win32: message boxes, the
// open-file dialog (GetOpenFileNameA), the screen saver
// (SystemParametersInfoA), the web page (ShellExecuteA) and the end of the
// program. The modal ones keep the precise timer ticking while they wait.

#include "PlatformServices.h"

class NativePreciseTimer;

// The caption of every message box.
inline constexpr wchar_t kMessageCaption[] = L"Tarrowin";

PlatformServices nativeServices(NativePreciseTimer& timer);
