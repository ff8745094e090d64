#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

// One Halvorn per data folder. Two on one folder would hand out the same thumbnail names and empty
// the temporary folder under each other, so the first start serves a local socket and every later
// start (a file manager's "Open With" too) hands its files to it and ends. The server is named
// after the data folder, not only the user, so that separate data folders (tests) do not meet.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)
public:
    explicit SingleInstance(QObject* parent = nullptr);

    // Whether this process is the one that runs: it holds the data folder for as long as this
    // object lives. False when another process holds it.
    [[nodiscard]] bool claim();
    // Starts taking files from later starts; only once filesReceived is connected, since files
    // handed over before would be lost. Until then a later start keeps trying for a while.
    void serve();
    // Hands files (made absolute: the other process has its own working folder) to the running
    // process; whether it took them.
    [[nodiscard]] bool handOver(const QStringList& files) const;

    // The socket's full path: in the user's runtime folder, named after the data folder.
    [[nodiscard]] static QString serverName();

signals:
    // Files that a later start handed over; empty when it named none (the window should come forward).
    void filesReceived(QStringList files);

private:
    QLockFile lock;
    QLocalServer server;
};
