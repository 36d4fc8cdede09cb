#include "SessionInhibitor.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

#include <utility>

namespace {

const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kPortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString kPortalRequest = QStringLiteral("org.freedesktop.portal.Request");
// The portal's flag for "the session must not go idle" (1 logout, 2 user
// switch, 4 suspend, 8 idle).
constexpr uint kPortalInhibitIdle = 8;

bool answered(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

// The errors that say nobody offers the interface, as opposed to a service that
// is there but refused or did not answer in time: only then is the portal asked.
bool notOffered(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) return false;
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

SessionInhibitor::SessionInhibitor(QString applicationName, QString reason, QDBusConnection bus,
                                   std::chrono::milliseconds timeout)
    : applicationName_(std::move(applicationName)), reason_(std::move(reason)), bus_(std::move(bus)),
      timeout_(timeout) {}

bool SessionInhibitor::setInhibited(bool inhibited) { return inhibited ? inhibit() : release(); }

QDBusMessage SessionInhibitor::call(const QDBusMessage& message) const {
    // Without a bus this fails at once. Blocks without an event loop: no window event runs inside the wait.
    return bus_.call(message, QDBus::Block, static_cast<int>(timeout_.count()));
}

bool SessionInhibitor::inhibit() {
    if (held_ != Held::Nothing) return true; // the session already holds ours

    QDBusMessage request = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath,
                                                          kScreenSaverService, QStringLiteral("Inhibit"));
    request << applicationName_ << reason_;
    const QDBusMessage reply = call(request);
    if (answered(reply) && reply.arguments().size() == 1) {
        cookie_ = reply.arguments().constFirst().toUInt();
        held_ = Held::ScreenSaverCookie;
        return true;
    }
    if (!notOffered(reply)) return false;

    QDBusMessage portal =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kPortalInhibit, QStringLiteral("Inhibit"));
    const QString noWindow; // the inhibition is the program's, not one window's
    portal << noWindow << kPortalInhibitIdle << QVariantMap{{QStringLiteral("reason"), reason_}};
    const QDBusMessage portalReply = call(portal);
    if (!answered(portalReply) || portalReply.arguments().size() != 1) return false;
    portalRequest_ = qvariant_cast<QDBusObjectPath>(portalReply.arguments().constFirst()).path();
    if (portalRequest_.isEmpty()) return false;
    held_ = Held::PortalRequest;
    return true;
}

bool SessionInhibitor::release() {
    const Held held = std::exchange(held_, Held::Nothing);
    // Forgotten even when the session does not confirm: the next check asks anew
    // rather than trusting an inhibition that may be gone.
    switch (held) {
    case Held::Nothing:
        return false;
    case Held::ScreenSaverCookie: {
        QDBusMessage request = QDBusMessage::createMethodCall(
            kScreenSaverService, kScreenSaverPath, kScreenSaverService, QStringLiteral("UnInhibit"));
        request << cookie_;
        return answered(call(request));
    }
    case Held::PortalRequest:
        return answered(call(QDBusMessage::createMethodCall(kPortalService, std::exchange(portalRequest_, {}),
                                                            kPortalRequest, QStringLiteral("Close"))));
    }
    return false;
}

std::function<bool(bool active)> withSessionInhibition(std::function<bool(bool active)> serverSwitch,
                                                       SessionInhibitor& inhibitor) {
    return [serverSwitch = std::move(serverSwitch), &inhibitor](bool active) {
        const bool server = serverSwitch(active);
        const bool session = inhibitor.setInhibited(!active);
        return server || session;
    };
}
