#include "platform/desktop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QUrl>

namespace Desktop {

namespace {

void openFolderOf(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace

void showInFileManager(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolderOf(path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [path](QDBusPendingCallWatcher* self) {
        if (self->isError())
            openFolderOf(path);
        self->deleteLater();
    });
}

void playDisc(const QString& device)
{
    const QByteArray name = QFile::encodeName(device);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.device() == name) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(volume.rootPath()));
            return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(device));
}

void notify(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << 0u << QStringLiteral("org.halvorn.Halvorn") << summary << body
         << QStringList() << QVariantMap() << -1;
    // Fire and forget: a missing service is an error reply that nobody needs to read.
    bus.call(call, QDBus::NoBlock);
}

} // namespace Desktop
