#pragma once
// Turns the requests to stop that come from outside the windows (SIGTERM,
// SIGINT, SIGHUP) into a signal on the user-interface thread, so that they end
// the program through its normal shutdown and the settings are kept. SIGINT and
// SIGHUP stay ignored when the program was started with them ignored.

#include <QObject>

#include <vector>

class QSocketNotifier;

class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    void requested();

private:
    QSocketNotifier* notifier_ = nullptr;
    std::vector<int> installed_; // the signals this object handles
};
