#include "SessionInhibitor.h"

#include "Diagnostics.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

#include <iterator>
#include <utility>

namespace {

// Services with the screen-saver calls Inhibit(application, reason) -> cookie
// and UnInhibit(cookie), under the same name as their interface, in the order
// asked. The common name comes first; MATE's locker, and Xfce's before it took
// the common name, offer the calls only under their own names. Those are not
// started on demand: asking must not launch a locker the desktop does not run.
struct ScreenSaverService {
    QString name;
    QString path;
    bool startOnDemand;
};
const ScreenSaverService kScreenSaverServices[] = {
    {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
     true},
    {QStringLiteral("org.mate.ScreenSaver"), QStringLiteral("/org/mate/ScreenSaver"), false},
    {QStringLiteral("org.xfce.ScreenSaver"), QStringLiteral("/org/xfce/ScreenSaver"), false},
};

QDBusMessage screenSaverCall(const ScreenSaverService& service, const QString& method) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(service.name, service.path, service.name, method);
    message.setAutoStartService(service.startOnDemand);
    return message;
}

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kPortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString kPortalRequest = QStringLiteral("org.freedesktop.portal.Request");
// The portal's flag for "the session must not go idle" (1 logout, 2 user
// switch, 4 suspend, 8 idle).
constexpr uint kPortalInhibitIdle = 8;

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

// The one line a failed request leaves when diagnostics are asked for.
void noteUnanswered(const QDBusMessage& request, const QDBusMessage& reply) {
    if (!Diagnostics::enabled()) return;
    const QString line = QStringLiteral("%1 %2.%3 got no answer: %4 %5")
                             .arg(request.service(), request.interface(), request.member(),
                                  reply.errorName(), reply.errorMessage());
    Diagnostics::note(Diagnostics::Area::Session, line.toStdString());
}

// The errors that say nobody offers the interface, as opposed to a service that
// is there but refused or did not answer in time: only then is the next one asked.
bool notOffered(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) return false;
    // What the bus says for a name nobody owns when it may not start one.
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return true;
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

SessionInhibitor::SessionInhibitor(QString applicationName, QString reason)
    : applicationName_(std::move(applicationName)), reason_(std::move(reason)),
      timeout_(kDefaultTimeout) {}

SessionInhibitor::SessionInhibitor(QString applicationName, QString reason, QDBusConnection bus,
                                   std::chrono::milliseconds timeout)
    : applicationName_(std::move(applicationName)), reason_(std::move(reason)),
      bus_(std::move(bus)), timeout_(timeout) {}

SessionInhibitor::~SessionInhibitor() = default;

bool SessionInhibitor::setInhibited(bool inhibited) {
    wanted_ = inhibited;
    if (inhibited) watchServices();
    return inhibited ? inhibit() : release();
}

QDBusConnection& SessionInhibitor::bus() {
    if (!bus_) bus_ = QDBusConnection::sessionBus();
    return *bus_;
}

QDBusMessage SessionInhibitor::call(const QDBusMessage& message) {
    // Without a bus this fails at once. Blocks without an event loop: no window
    // event runs inside the wait.
    return bus().call(message, QDBus::Block, static_cast<int>(timeout_.count()));
}

void SessionInhibitor::watchServices() {
    if (watcher_ || !bus().isConnected()) return;
    QStringList names;
    for (const ScreenSaverService& service : kScreenSaverServices)
        names << service.name;
    names << kPortalService;
    watcher_ = std::make_unique<QDBusServiceWatcher>();
    watcher_->setConnection(bus());
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    watcher_->setWatchedServices(names);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged, watcher_.get(),
                     [this](const QString& service, const QString&, const QString& newOwner) {
                         serviceOwnerChanged(service, newOwner);
                     });
}

QString SessionInhibitor::heldBy() const {
    switch (held_) {
    case Held::Nothing:
        break;
    case Held::ScreenSaverCookie:
        return kScreenSaverServices[cookieService_].name;
    case Held::PortalRequest:
        return kPortalService;
    }
    return {};
}

void SessionInhibitor::serviceOwnerChanged(const QString& service, const QString& newOwner) {
    // The owner that held ours has left the bus (stopped, restarted, replaced):
    // the inhibition went with it.
    if (service == heldBy()) {
        held_ = Held::Nothing;
        portalRequest_.clear();
        failure_ = Failure::NoService;
    }
    // A service that has just come up knows nothing of this program. One that
    // only went away is not replaced by another: a restarting one comes back.
    if (wanted_ && held_ == Held::Nothing && !newOwner.isEmpty()) inhibit();
    if (onChange) onChange();
}

SessionInhibitor::Failure SessionInhibitor::failureOf(const QDBusMessage& reply) {
    if (!bus().isConnected()) return Failure::NoBus;
    return notOffered(reply) ? Failure::NoService : Failure::NoAnswer;
}

bool SessionInhibitor::inhibit() {
    if (held_ != Held::Nothing) return true; // the session already holds ours

    for (std::size_t i = 0; i < std::size(kScreenSaverServices); ++i) {
        QDBusMessage request = screenSaverCall(kScreenSaverServices[i], QStringLiteral("Inhibit"));
        request << applicationName_ << reason_;
        const QDBusMessage reply = call(request);
        if (answered(reply) && reply.arguments().size() == 1) {
            cookie_ = reply.arguments().constFirst().toUInt();
            cookieService_ = i;
            held_ = Held::ScreenSaverCookie;
            failure_ = Failure::None;
            return true;
        }
        if (!notOffered(reply)) {
            noteUnanswered(request, reply);
            failure_ = failureOf(reply);
            return false;
        }
    }

    QDBusMessage portal = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                         kPortalInhibit, QStringLiteral("Inhibit"));
    const QString noWindow; // the inhibition is the program's, not one window's
    portal << noWindow << kPortalInhibitIdle << QVariantMap{{QStringLiteral("reason"), reason_}};
    const QDBusMessage portalReply = call(portal);
    if (!answered(portalReply) || portalReply.arguments().size() != 1) {
        noteUnanswered(portal, portalReply); // neither a saver service nor the portal
        failure_ = failureOf(portalReply);
        return false;
    }
    portalRequest_ = qvariant_cast<QDBusObjectPath>(portalReply.arguments().constFirst()).path();
    if (portalRequest_.isEmpty()) {
        failure_ = Failure::NoAnswer;
        return false;
    }
    held_ = Held::PortalRequest;
    failure_ = Failure::None;
    return true;
}

bool SessionInhibitor::release() {
    failure_ = Failure::None;
    const Held held = std::exchange(held_, Held::Nothing);
    // Forgotten even when the session does not confirm: the next check asks anew
    // rather than trusting an inhibition that may be gone.
    switch (held) {
    case Held::Nothing:
        return false;
    case Held::ScreenSaverCookie: {
        QDBusMessage request =
            screenSaverCall(kScreenSaverServices[cookieService_], QStringLiteral("UnInhibit"));
        request << cookie_;
        return confirmed(request);
    }
    case Held::PortalRequest:
        return confirmed(QDBusMessage::createMethodCall(kPortalService,
                                                        std::exchange(portalRequest_, {}),
                                                        kPortalRequest, QStringLiteral("Close")));
    }
    return false;
}

bool SessionInhibitor::confirmed(const QDBusMessage& request) {
    const QDBusMessage reply = call(request);
    if (answered(reply)) return true;
    noteUnanswered(request, reply);
    return false;
}
