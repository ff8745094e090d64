#include "app/singleinstance.h"

#include "platform/folders.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>

Q_LOGGING_CATEGORY(lcInstance, "halvorn.instance")

namespace {

// Paths are joined by NUL, the one character no path holds.
constexpr char pathSeparator = '\0';
// A running Halvorn answers at once; one that has only just started may need a moment to listen.
constexpr int answerTimeoutMs = 10000;

} // namespace

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
    , lock(Folders::dataFolder() + QStringLiteral("/instance.lock"))
{
    lock.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                socket->deleteLater();
                QStringList files;
                for (const QByteArray& path : socket->readAll().split(pathSeparator)) {
                    if (!path.isEmpty())
                        files.append(QString::fromUtf8(path));
                }
                emit filesReceived(files);
            });
        }
    });
}

QString SingleInstance::serverName()
{
    const QByteArray folder = QFileInfo(Folders::dataFolder()).absoluteFilePath().toUtf8();
    const QString key = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/halvorn-") + key;
}

bool SingleInstance::claim()
{
    // The lock comes before everything else a start prepares, the data folder included.
    QDir().mkpath(Folders::dataFolder());
    if (!lock.tryLock(0)) {
        if (lock.error() == QLockFile::LockFailedError)
            return false;
        // No lock can be made here at all (a read-only data folder): better one window too many
        // than none.
        qCWarning(lcInstance) << "cannot lock the data folder; running without the single-instance check";
    }
    return true;
}

void SingleInstance::serve()
{
    // A socket left by a Halvorn that was killed would refuse the name.
    QLocalServer::removeServer(serverName());
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(serverName()))
        qCWarning(lcInstance) << "cannot serve" << serverName() << server.errorString();
}

bool SingleInstance::handOver(const QStringList& files) const
{
    QByteArray message;
    for (const QString& file : files)
        message += QFileInfo(file).absoluteFilePath().toUtf8() + pathSeparator;
    const QDeadlineTimer deadline(answerTimeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName());
        if (socket.waitForConnected(1000))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    socket.write(message);
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState
        || socket.waitForDisconnected(int(deadline.remainingTime()));
}
