#include "platform/desktop.h"

#include <QDBusConnection>
#include <QProcess>
#include <QtTest>

// Stands in for the desktop's notification service on a bus of the test's own.
class FakeNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received;
public slots:
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        received << app << icon << summary << body;
        return 1;
    }
};

class TestDesktop final : public QObject {
    Q_OBJECT
    QProcess bus;

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName("Halvorn");
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForReadyRead(10000));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    }
    void cleanupTestCase()
    {
        bus.kill();
        bus.waitForFinished();
    }

    void aNotificationReachesTheServiceAndNoServiceIsNoFault()
    {
        Desktop::notify("nobody listens", "yet");
        FakeNotifications service;
        QDBusConnection connection = QDBusConnection::connectToBus(qgetenv("DBUS_SESSION_BUS_ADDRESS"), "service");
        QVERIFY(connection.registerObject("/org/freedesktop/Notifications", &service, QDBusConnection::ExportAllSlots));
        QVERIFY(connection.registerService("org.freedesktop.Notifications"));
        Desktop::notify("Conversion finished", "3 converted, 1 failed");
        QTRY_COMPARE(service.received,
                     (QStringList{"Halvorn", "org.halvorn.Halvorn", "Conversion finished", "3 converted, 1 failed"}));
        QDBusConnection::disconnectFromBus("service");
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
