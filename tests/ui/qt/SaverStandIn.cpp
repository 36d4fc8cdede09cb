// A stand-in for the desktop session's screen-saver services, for tests. It
// takes a bus name on the session bus and writes one line per request to
// standard output:
//   saver-standin answer    org.freedesktop.ScreenSaver, answering
//                           "Inhibit APP|REASON -> COOKIE" and "UnInhibit COOKIE"
//   saver-standin silent    the same name, never answering (a hung service)
//   saver-standin refuse    the same name, answering every call with an error
//   saver-standin mate      org.mate.ScreenSaver, answering as "answer" does
//   saver-standin portal    org.freedesktop.portal.Desktop, answering
//                           "PortalInhibit FLAGS|REASON -> HANDLE" and "Close HANDLE"
//   saver-standin login1    org.freedesktop.login1 (on whatever bus is the session
//                           bus here), answering "SleepInhibit WHAT|WHO|WHY|MODE"
//                           with a file descriptor, as the screen saver
//                           xscreensaver-systemd needs from the system's login
//                           manager to run at all
// and "gone NAME" when a caller that inhibited leaves the bus. "ready" comes
// first, once the name is taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QHash>
#include <QVariantMap>

#include <cstdio>
#include <vector>

#include <unistd.h>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class StandIn final : public QDBusVirtualObject {
public:
    StandIn(QString mode, QDBusConnection bus) : mode_(std::move(mode)), bus_(std::move(bus)) {
        watcher_.setConnection(bus_);
        watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        QObject::connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, &watcher_,
                         [](const QString& name) { say(QStringLiteral("gone ") + name); });
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        if (mode_ == QLatin1String("silent")) {
            message.setDelayedReply(true);
            unanswered_.push_back(message); // kept, so that no error goes back either
            return true;
        }
        if (mode_ == QLatin1String("refuse")) {
            bus_.send(
                message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                         QStringLiteral("not today")));
            return true;
        }
        const QString member = message.member();
        const QVariantList args = message.arguments();
        if (member == QLatin1String("Inhibit") && args.size() == 2) {
            const uint cookie = nextCookie_++;
            say(QStringLiteral("Inhibit %1|%2 -> %3")
                    .arg(args[0].toString(), args[1].toString())
                    .arg(cookie));
            watcher_.addWatchedService(message.service());
            bus_.send(message.createReply(QVariant::fromValue(cookie)));
        } else if (member == QLatin1String("UnInhibit") && args.size() == 1) {
            say(QStringLiteral("UnInhibit %1").arg(args[0].toUInt()));
            bus_.send(message.createReply());
        } else if (member == QLatin1String("Inhibit") && args.size() == 3) {
            const QString handle =
                QStringLiteral("/org/freedesktop/portal/desktop/request/%1").arg(nextCookie_++);
            const QVariantMap options = qdbus_cast<QVariantMap>(args[2]);
            say(QStringLiteral("PortalInhibit %1|%2 -> %3")
                    .arg(args[1].toUInt())
                    .arg(options.value(QStringLiteral("reason")).toString(), handle));
            watcher_.addWatchedService(message.service());
            bus_.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        } else if (member == QLatin1String("Inhibit") && args.size() == 4) {
            say(QStringLiteral("SleepInhibit %1|%2|%3|%4")
                    .arg(args[0].toString(), args[1].toString(), args[2].toString(),
                         args[3].toString()));
            // The login manager holds the inhibition while the caller keeps its
            // end of the pipe open; this stand-in keeps the other end.
            int ends[2];
            if (pipe(ends) != 0) return false;
            held_.push_back(ends[0]);
            bus_.send(message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]))));
            close(ends[1]); // the reply carries its own copy
        } else if (member == QLatin1String("Close")) {
            say(QStringLiteral("Close ") + message.path());
            bus_.send(message.createReply());
        } else {
            return false;
        }
        return true;
    }

    QString introspect(const QString&) const override { return {}; }

private:
    QString mode_;
    QDBusConnection bus_;
    QDBusServiceWatcher watcher_;
    std::vector<QDBusMessage> unanswered_;
    std::vector<int> held_; // the login manager's ends of the sleep inhibitions
    uint nextCookie_ = 7;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    struct Service {
        QString name, path;
    };
    const Service freedesktop{QStringLiteral("org.freedesktop.ScreenSaver"),
                              QStringLiteral("/org/freedesktop/ScreenSaver")};
    const QHash<QString, Service> services{
        {QStringLiteral("answer"), freedesktop},
        {QStringLiteral("silent"), freedesktop},
        {QStringLiteral("refuse"), freedesktop},
        {QStringLiteral("mate"),
         {QStringLiteral("org.mate.ScreenSaver"), QStringLiteral("/org/mate/ScreenSaver")}},
        {QStringLiteral("login1"),
         {QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1")}},
        {QStringLiteral("portal"),
         {QStringLiteral("org.freedesktop.portal.Desktop"),
          QStringLiteral("/org/freedesktop/portal/desktop")}},
    };
    if (!services.contains(mode)) return 2;
    QDBusConnection bus = QDBusConnection::sessionBus();
    StandIn standIn(mode, bus);
    if (!bus.registerVirtualObject(services[mode].path, &standIn, QDBusConnection::SubPath))
        return 1;
    if (!bus.registerService(services[mode].name)) return 1;
    say(QStringLiteral("ready"));
    return app.exec();
}
