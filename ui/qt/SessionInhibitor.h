#pragma once
// Keeps the desktop session awake while the user wants the screen saver off.
// Desktops blank and lock the screen through their own idle handling, which
// the X server's saver setting does not reach (and under Wayland there is no X
// server to ask). They take requests on the session bus: the freedesktop
// screen-saver service (GNOME, Plasma, Xfce, Cinnamon, ...), MATE's own
// service of the same calls, or, where none of them is offered (sandboxed
// programs, some Wayland sessions), the desktop portal's idle inhibition. An inhibition belongs to
// this program's bus connection, so the session drops it when the program ends.
//
// The inhibition follows the service: one that restarts (or comes up after
// this program asked) has forgotten it, so a service that gets a new owner on
// the bus is asked again while the program wants the session awake.
//
// Every call waits for the session at most the given timeout: a missing bus or
// a service that does not answer never holds up the windows, and nothing is
// ever shown to the user.

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

class SessionInhibitor {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{1500};

    // On the session bus, connected on the first request: a program that never
    // asks pays nothing for the bus at start.
    SessionInhibitor(QString applicationName, QString reason);
    SessionInhibitor(QString applicationName, QString reason, QDBusConnection bus,
                     std::chrono::milliseconds timeout = kDefaultTimeout);
    SessionInhibitor(const SessionInhibitor&) = delete; // the bus watch refers to this object
    SessionInhibitor& operator=(const SessionInhibitor&) = delete;
    ~SessionInhibitor();

    // Asks the session to stay awake (true) or releases what this object holds
    // (false). True when the session took the request; asking again while an
    // inhibition is held keeps that one and is true. Releasing when nothing is
    // held asks nothing and is false.
    bool setInhibited(bool inhibited);

    bool isInhibited() const { return held_ != Held::Nothing; }
    // The bus name of the service that holds the inhibition; empty when none does.
    QString heldBy() const;

    // Why the last request to stay awake holds nothing.
    enum class Failure { None, NoBus, NoService, NoAnswer };
    Failure failure() const { return failure_; }

    // Runs when the session took or dropped the inhibition by itself (a service
    // that went away, or came up and was asked), not on this object's requests.
    std::function<void()> onChange;

private:
    enum class Held { Nothing, ScreenSaverCookie, PortalRequest };

    bool inhibit();
    bool release();
    QDBusMessage call(const QDBusMessage& message);
    // Sends the request and says whether it was answered; a line when not.
    bool confirmed(const QDBusMessage& request);
    QDBusConnection& bus(); // connects on first use
    void watchServices();
    void serviceOwnerChanged(const QString& service, const QString& newOwner);
    Failure failureOf(const QDBusMessage& reply);

    QString applicationName_;
    QString reason_;
    std::optional<QDBusConnection> bus_; // none yet: the session bus, once asked
    std::chrono::milliseconds timeout_;
    std::unique_ptr<QDBusServiceWatcher> watcher_; // from the first request on
    bool wanted_ = false;                          // the last request was to stay awake
    Held held_ = Held::Nothing;
    Failure failure_ = Failure::None;
    uint cookie_ = 0;
    std::size_t cookieService_ = 0; // which of the screen-saver services gave the cookie
    QString portalRequest_;
};
