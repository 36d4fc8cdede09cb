#pragma once
// The platform services on Qt: Qt's message box and file dialog, the desktop's
// handler for addresses, the system's screen-saver switch, and the end of Qt's
// event loop.

#include "PlatformServices.h"

PlatformServices qtPlatformServices();
