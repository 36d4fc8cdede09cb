#include "SessionInhibitor.h"
#include "KeepAwake.h"
#include "ScreenKeeper.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace std::chrono_literals;

const QString kApp = QStringLiteral("Tarrowin");
const QString kReason = QStringLiteral("Tarrowin is showing progress");
const QString kCookie7 = QStringLiteral("Inhibit Tarrowin|Tarrowin is showing progress -> 7");
const QString kPortal7 = QStringLiteral(
    "PortalInhibit 8|Tarrowin is showing progress -> /org/freedesktop/portal/desktop/request/7");

// Polls for what another process does in its own time; the limit only ends a
// broken run.
template <typename Condition> bool eventually(Condition condition) {
    for (int i = 0; i < 600; ++i) {
        if (condition()) return true;
        QThread::msleep(50);
    }
    return condition();
}

// The same, for what reaches this process through its event loop (a bus
// signal): the events run between the polls.
template <typename Condition> bool eventuallyWithEvents(Condition condition) {
    for (int i = 0; i < 600; ++i) {
        QCoreApplication::processEvents();
        if (condition()) return true;
        QThread::msleep(50);
    }
    return condition();
}

// A stand-in service writing what it was asked into a file. Each line is on
// disk before the stand-in answers, so after a call returns its line is there.
class StandIn {
public:
    StandIn(const QString& mode, const QString& busAddress, const QString& log) : log_(log) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        process_.setProcessEnvironment(environment);
        process_.setStandardOutputFile(log);
        process_.start(QStringLiteral(SAVER_STANDIN), {mode});
        ready_ = process_.waitForStarted() && eventually([this] { return !lines().empty(); });
    }
    ~StandIn() {
        process_.kill();
        process_.waitForFinished();
    }
    bool ready() const { return ready_; }
    // What the stand-in was asked, without its opening "ready".
    QStringList requests() const {
        QStringList all = lines();
        if (!all.isEmpty()) all.removeFirst();
        return all;
    }

private:
    QStringList lines() const {
        QFile file(log_);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QString log_;
    QProcess process_;
    bool ready_ = false;
};

// A private session bus with stand-ins on it, and a connection of the test's own.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon_.waitForStarted());
        ASSERT_TRUE(eventually([this] {
            daemon_.waitForReadyRead(50);
            address_ += QString::fromUtf8(daemon_.readAllStandardOutput());
            return address_.endsWith(u'\n');
        }));
        address_ = address_.trimmed();
    }
    void TearDown() override {
        standIns_.clear();
        QDBusConnection::disconnectFromBus(connectionName());
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // Ends the stand-in that was started last, as a service that stops does.
    void stopLastStandIn() { standIns_.pop_back(); }

    // Runs this process's events until its connection has seen `name` change
    // owner (to someone, or to no one): what the bus says about the name
    // reaches every watcher on the connection in the same delivery.
    void waitForOwnerChange(const QString& name, bool owned) {
        QDBusServiceWatcher watcher(name, bus(), QDBusServiceWatcher::WatchForOwnerChange);
        bool seen = false;
        QObject::connect(&watcher, &QDBusServiceWatcher::serviceOwnerChanged, &watcher,
                         [&](const QString&, const QString&, const QString& newOwner) {
                             seen = seen || newOwner.isEmpty() != owned;
                         });
        const auto ownedNow = [&] {
            return bus().interface()->isServiceRegistered(name).value() == owned;
        };
        EXPECT_TRUE(eventuallyWithEvents([&] { return seen || ownedNow(); })) << name.toStdString();
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents(); // the other watchers' share of it
    }

    StandIn& standIn(const QString& mode) {
        standIns_.push_back(std::make_unique<StandIn>(
            mode, address_,
            folder_.filePath(QStringLiteral("%1-%2.log").arg(mode).arg(standIns_.size()))));
        EXPECT_TRUE(standIns_.back()->ready()) << mode.toStdString();
        return *standIns_.back();
    }
    QString connectionName() const { return QStringLiteral("test-") + address_; }
    QDBusConnection bus() const {
        return QDBusConnection::connectToBus(address_, connectionName());
    }
    SessionInhibitor
    inhibitor(std::chrono::milliseconds timeout = SessionInhibitor::kDefaultTimeout) const {
        return SessionInhibitor(kApp, kReason, bus(), timeout);
    }

    std::vector<std::unique_ptr<StandIn>> standIns_;

private:
    QProcess daemon_;
    QString address_;
    QTemporaryDir folder_;
};

TEST_F(PrivateBus, ScreenSaverServiceGetsOneInhibitAndTheSameCookieBack) {
    StandIn& service = standIn(QStringLiteral("answer"));
    SessionInhibitor session = inhibitor();
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_TRUE(session.setInhibited(true)); // the startup asks twice: one inhibition
    EXPECT_TRUE(session.setInhibited(false));
    EXPECT_FALSE(session.setInhibited(false)); // nothing left to release
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_EQ(service.requests(),
              QStringList({kCookie7, QStringLiteral("UnInhibit 7"),
                           QStringLiteral("Inhibit Tarrowin|Tarrowin is showing progress -> 8")}));
}

TEST_F(PrivateBus, MateServiceIsAskedWhereTheCommonOneIsMissing) {
    StandIn& portal = standIn(QStringLiteral("portal"));
    StandIn& mate = standIn(QStringLiteral("mate"));
    SessionInhibitor session = inhibitor();
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_TRUE(session.setInhibited(false));
    EXPECT_EQ(mate.requests(), QStringList({kCookie7, QStringLiteral("UnInhibit 7")}));
    EXPECT_TRUE(portal.requests().isEmpty());
}

TEST_F(PrivateBus, PortalIsUsedOnlyWhereTheScreenSaverServiceIsMissing) {
    StandIn& portal = standIn(QStringLiteral("portal"));
    SessionInhibitor session = inhibitor();
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_TRUE(session.setInhibited(false));
    EXPECT_EQ(
        portal.requests(),
        QStringList({kPortal7, QStringLiteral("Close /org/freedesktop/portal/desktop/request/7")}));

    StandIn& service = standIn(QStringLiteral("answer"));
    EXPECT_TRUE(session.setInhibited(true));
    EXPECT_EQ(service.requests(), QStringList({kCookie7}));
    EXPECT_EQ(portal.requests().size(), 2);
}

TEST_F(PrivateBus, RefusalIsFalseAndDoesNotFallBackToThePortal) {
    StandIn& service = standIn(QStringLiteral("refuse"));
    StandIn& portal = standIn(QStringLiteral("portal"));
    SessionInhibitor session = inhibitor();
    EXPECT_FALSE(session.setInhibited(true));
    EXPECT_FALSE(session.isInhibited());
    EXPECT_FALSE(session.setInhibited(false));
    EXPECT_TRUE(service.requests().isEmpty());
    EXPECT_TRUE(portal.requests().isEmpty());
}

TEST_F(PrivateBus, NoServiceOnTheBusIsFalse) {
    SessionInhibitor session = inhibitor();
    EXPECT_FALSE(session.setInhibited(true));
    EXPECT_FALSE(session.setInhibited(false));
}

// Not a speed figure: the bound tells the switch's own timeout apart from the
// bus library's default of 25 seconds.
TEST_F(PrivateBus, ServiceThatNeverAnswersIsGivenUpAfterTheTimeout) {
    standIn(QStringLiteral("silent"));
    SessionInhibitor session = inhibitor(200ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session.setInhibited(true));
    EXPECT_FALSE(session.isInhibited());
    EXPECT_LT(clock.elapsed(), 20'000);
}

const QString kScreenSaverName = QStringLiteral("org.freedesktop.ScreenSaver");

TEST_F(PrivateBus, RestartedServiceIsAskedAgainWhileTheSessionShouldStayAwake) {
    standIn(QStringLiteral("answer"));
    SessionInhibitor session = inhibitor();
    ASSERT_TRUE(session.setInhibited(true));

    for (int restart = 1; restart <= 2; ++restart) {
        SCOPED_TRACE(::testing::Message() << "restart " << restart);
        stopLastStandIn();
        EXPECT_TRUE(eventuallyWithEvents([&] { return !session.isInhibited(); }))
            << "the inhibition went with the service that held it";
        // The new service starts its cookies where the first one did.
        StandIn& again = standIn(QStringLiteral("answer"));
        EXPECT_TRUE(eventuallyWithEvents([&] { return again.requests() == QStringList{kCookie7}; }))
            << "the restarted service was asked: " << again.requests().join(u';').toStdString();
        EXPECT_TRUE(session.isInhibited());
    }
    EXPECT_TRUE(session.setInhibited(false));
    EXPECT_EQ(standIns_.back()->requests(), QStringList({kCookie7, QStringLiteral("UnInhibit 7")}));
}

TEST_F(PrivateBus, ServiceThatComesUpLaterIsAskedOnlyWhileTheSessionShouldStayAwake) {
    SessionInhibitor session = inhibitor();
    EXPECT_FALSE(session.setInhibited(true)) << "nobody offers the calls yet";
    StandIn& late = standIn(QStringLiteral("answer"));
    EXPECT_TRUE(eventuallyWithEvents([&] { return session.isInhibited(); }));
    EXPECT_EQ(late.requests(), QStringList{kCookie7});

    // Unchecked: a service that comes up now is left alone.
    EXPECT_TRUE(session.setInhibited(false));
    stopLastStandIn();
    waitForOwnerChange(kScreenSaverName, false);
    StandIn& later = standIn(QStringLiteral("answer"));
    waitForOwnerChange(kScreenSaverName, true);
    EXPECT_TRUE(later.requests().isEmpty()) << later.requests().join(u';').toStdString();
    EXPECT_FALSE(session.isInhibited());
}

TEST_F(PrivateBus, PortalThatRestartsIsAskedAgain) {
    standIn(QStringLiteral("portal"));
    SessionInhibitor session = inhibitor();
    ASSERT_TRUE(session.setInhibited(true));
    stopLastStandIn();
    StandIn& portal = standIn(QStringLiteral("portal"));
    EXPECT_TRUE(eventuallyWithEvents([&] { return portal.requests() == QStringList{kPortal7}; }))
        << portal.requests().join(u';').toStdString();
    EXPECT_TRUE(session.setInhibited(false));
    EXPECT_EQ(portal.requests().size(), 2) << portal.requests().join(u';').toStdString();
}

// The whole switch as the program runs it without a compositor: the X server
// (here a stand-in for what the server reached) and the session are both
// asked, and the box's note says what holds, or why nothing does.
TEST_F(PrivateBus, SwitchAsksServerAndSessionAndTellsWhatHolds) {
    const X11SaverSwitch noServer, withoutDpms{true, false}, withDpms{true, true};
    struct Case {
        const char* situation;
        const char* service; // the stand-in's mode, or none
        X11SaverSwitch server;
        bool expected;
        const char* note;
    };
    const Case cases[] = {
        {"nothing at all", nullptr, noServer, false,
         "Nothing keeps the screen on: no X server, no screen-saver service in the session"},
        {"an X server without DPMS", nullptr, withoutDpms, true,
         "Screen kept on by: X screen saver off"},
        {"a session service that does not answer", "silent", noServer, false,
         "Nothing keeps the screen on: no X server, the session's screen-saver service did not "
         "answer"},
        {"a session service", "answer", noServer, true,
         "Screen kept on by: the session (org.freedesktop.ScreenSaver)"},
        {"an X server with DPMS and a session service", "answer", withDpms, true,
         "Screen kept on by: X screen saver off, display power saving off, the session "
         "(org.freedesktop.ScreenSaver)"},
        {"the desktop portal", "portal", noServer, true,
         "Screen kept on by: the session (org.freedesktop.portal.Desktop)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        standIns_.clear();
        if (c.service) standIn(QString::fromLatin1(c.service));
        SessionInhibitor session = inhibitor(200ms);
        KeepAwakeReport report;
        std::vector<bool> serverCalls;
        ScreenKeeper keeper(report, session, nullptr, [&](bool active) {
            serverCalls.push_back(active);
            return c.server;
        });
        EXPECT_EQ(keeper.setScreenSaverActive(false), c.expected);
        const bool held = session.isInhibited();
        EXPECT_EQ(held, c.expected && c.service != nullptr);
        EXPECT_EQ(QString::fromStdU16String(report.text()).toStdString(), c.note);
        EXPECT_EQ(keeper.setScreenSaverActive(true), c.server.server || held);
        EXPECT_FALSE(session.isInhibited());
        EXPECT_EQ(QString::fromStdU16String(report.text()),
                  QStringLiteral("Screen saver and power saving left to the system"));
        EXPECT_EQ(serverCalls, (std::vector<bool>{false, true}));
    }
}

TEST_F(PrivateBus, NoSessionBusIsNamed) {
    SessionInhibitor session(kApp, kReason,
                             QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                           QStringLiteral("no-bus")));
    KeepAwakeReport report;
    ScreenKeeper keeper(report, session, nullptr, [](bool) { return X11SaverSwitch{}; });
    EXPECT_FALSE(keeper.setScreenSaverActive(false));
    EXPECT_EQ(QString::fromStdU16String(report.text()),
              QStringLiteral("Nothing keeps the screen on: no X server, no session bus"));
    QDBusConnection::disconnectFromBus(QStringLiteral("no-bus"));
}

// A service that comes up while the box is checked is asked, and one that goes
// away takes its inhibition with it: the note follows both.
TEST_F(PrivateBus, NoteFollowsAServiceThatComesAndGoes) {
    SessionInhibitor session = inhibitor();
    KeepAwakeReport report;
    std::vector<QString> notes;
    report.onChange = [&notes](const std::u16string& text) {
        notes.push_back(QString::fromStdU16String(text));
    };
    ScreenKeeper keeper(report, session, nullptr, [](bool) { return X11SaverSwitch{}; });
    keeper.setScreenSaverActive(false);
    const QString nothing =
        QStringLiteral("Nothing keeps the screen on: no X server, no screen-saver service in the "
                       "session");
    const QString held = QStringLiteral("Screen kept on by: the session (org.mate.ScreenSaver)");
    EXPECT_EQ(notes, std::vector<QString>{nothing});
    standIn(QStringLiteral("mate"));
    EXPECT_TRUE(eventuallyWithEvents([&] { return notes.back() == held; }))
        << notes.back().toStdString();
    stopLastStandIn();
    EXPECT_TRUE(eventuallyWithEvents([&] { return notes.back() == nothing; }))
        << notes.back().toStdString();
    EXPECT_EQ(notes, (std::vector<QString>{nothing, held, nothing}));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt's bus connections want one
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
