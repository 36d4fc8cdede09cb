#include "NoAutolaunchedBus.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>

namespace {

// Not an address type the bus library knows: connecting fails at once,
// without starting anything.
constexpr char kNoBus[] = "disabled:";

bool sessionBusNamed() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return false;
    struct stat socket {};
    return stat((runtime + "/bus").constData(), &socket) == 0 && S_ISSOCK(socket.st_mode);
}

} // namespace

void keepFromAutolaunchingSessionBus() {
    if (!sessionBusNamed()) qputenv("DBUS_SESSION_BUS_ADDRESS", kNoBus);
}
