#pragma once

#include <QObject>

class QSocketNotifier;

// The system's requests to end (SIGTERM, SIGHUP when the terminal goes, SIGINT), turned into a Qt
// signal on the thread that made this object, so that Halvorn closes as it does when the user
// closes it: workers stopped, tools ended, temporary folder emptied. Without this, the default
// action ends the process at once and leaves its tools running. One object per process.
class ShutdownSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShutdownSignals)
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    // Gives the signals their default action back.
    ~ShutdownSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* notifier = nullptr;
};
