#include "app/mainwindow.h"
#include "app/updatecheck.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// A web site on the loopback address. It answers every request with one body, or sends without end
// ("endless"), or one byte at a time without end ("trickle").
class FakeSite final : public QObject {
    Q_OBJECT
public:
    FakeSite()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        server.listen(QHostAddress::LocalHost);
    }
    [[nodiscard]] QString address() const { return QString("http://127.0.0.1:%1").arg(server.serverPort()); }

    QByteArray body;
    QByteArray status = "200 OK";
    QString mode;
    QStringList requests;

private:
    void answer(QTcpSocket* socket)
    {
        requests.append(QString::fromLatin1(socket->readAll()).section(' ', 1, 1));
        const QByteArray length = mode.isEmpty() ? "Content-Length: " + QByteArray::number(body.size()) + "\r\n" : "";
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n" + length + "\r\n" + body);
        if (mode.isEmpty())
            return socket->disconnectFromHost();
        auto* more = new QTimer(socket);
        connect(more, &QTimer::timeout, socket, [this, socket] {
            if (socket->state() == QAbstractSocket::ConnectedState)
                socket->write(mode == "endless" ? QByteArray(64 * 1024, 'x') : QByteArray("."));
        });
        more->start(mode == "endless" ? 0 : 100);
    }

    QTcpServer server;
};

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QList<QUrl> opened;

public slots:
    void openUrl(const QUrl& url) { opened.append(url); }

private slots:
    void initTestCase()
    {
        home = startedHome();
        QDesktopServices::setUrlHandler("http", this, "openUrl");
    }
    void init() { opened.clear(); }
    void cleanup() { qunsetenv("HALVORN_SITE"); }

    void versionComparison_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("newer");
        QTest::addRow("minor step") << QByteArray("1.7.0\nfaster\n") << true << true;
        QTest::addRow("numbers, not text") << QByteArray("1.6.10") << true << true;
        QTest::addRow("larger last part only") << QByteArray("1.5.9") << true << false;
        QTest::addRow("major, CRLF") << QByteArray("2.0.0\r\nnew\r\n") << true << true;
        QTest::addRow("fourth part ignored") << QByteArray("1.6.8.9") << true << false;
        QTest::addRow("html starting with digits") << QByteArray("9.9<html><body>x</body></html>") << false << false;
        QTest::addRow("binary after a version") << QByteArray("9.9\0\x89PNG\r\n", 10) << false << false;
        QTest::addRow("not UTF-8") << QByteArray("9.9.9\n\xff\xfe") << false << false;
        QTest::addRow("too large") << "9.9.9\n" + QByteArray(UpdateCheck::replyLimit, 'x') << false << false;
    }
    void versionComparison()
    {
        QFETCH(QByteArray, reply);
        const QString text = UpdateCheck::replyText(reply);
        QTEST(!text.isEmpty(), "accepted");
        QTEST(UpdateCheck::isNewer(text, "1.6.8"), "newer");
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addRow("same version at start") << QByteArray("1.6.8") << "" << false << "" << "";
        QTest::addRow("same version asked")
            << QByteArray("1.6.8") << "" << true << "Warning" << "You have the most up to date version installed";
        QTest::addRow("newer at start")
            << QByteArray("1.7.0\nA\nB\n") << "" << false << "New Update Available"
            << "Version 1.7.0 is available for download!\n\nNew features:\nA\nB\n\n\nWould you like to download this now?";
        QTest::addRow("error page asked") << QByteArray("<html>gone</html>") << "404" << true << "Warning"
                                          << "The update check failed: ";
        QTest::addRow("no version asked") << QByteArray("9.9<html>") << "" << true << "Warning"
                                          << "The update check failed: the site did not answer with a version number.";
        QTest::addRow("endless reply asked") << QByteArray("9.9.9\n") << "endless" << true << "Warning"
                                             << "The update check failed: the site's answer is too large";
        QTest::addRow("trickling reply asked") << QByteArray("9") << "trickle" << true << "Warning"
                                               << "The update check timed out: the site did not answer within 2 seconds.";
    }
    void replies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, mode);
        QFETCH(bool, manual);
        QFETCH(QString, title);
        QFETCH(QString, text);
        FakeSite site;
        site.body = body;
        site.mode = mode == "404" ? "" : mode;
        site.status = mode == "404" ? "404 Not Found" : "200 OK";
        qputenv("HALVORN_SITE", site.address().toUtf8());
        MessageRecorder recorder(QMessageBox::Yes);
        MainWindow window;
        window.setUpdateTimeout(std::chrono::seconds(2));
        QTRY_COMPARE(site.requests.size(), 1);
        QCOMPARE(site.requests.first(), "/current-version");
        if (manual) {
            QTest::qWait(300);
            recorder.prompts.clear();
            opened.clear();
            window.updateAction();
            QTRY_COMPARE(site.requests.size(), 2);
        }
        if (title.isEmpty()) {
            QTest::qWait(300);
            QCOMPARE(recorder.prompts.size(), 0);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.prompts.isEmpty(), 15000);
        QCOMPARE(recorder.prompts.first().title, title);
        QVERIFY2(recorder.prompts.first().text.startsWith(text), qPrintable(recorder.prompts.first().text));
        if (title == "New Update Available")
            QTRY_COMPARE(opened, QList<QUrl>{QUrl(site.address() + "/update?version=1.6.8")});
    }

    void theHelpLinksOpenTheSitesPagesWhenThereIsOne()
    {
        FakeSite site;
        site.body = "1.6.8";
        qputenv("HALVORN_SITE", (site.address() + "/").toUtf8());
        MainWindow window;
        window.manualAction();
        window.websiteAction();
        window.reportBugAction();
        QCOMPARE(opened, (QList<QUrl>{QUrl(site.address() + "/manual"), QUrl(site.address() + "/"),
                                      QUrl(site.address() + "/support")}));

        opened.clear();
        qputenv("HALVORN_SITE", "");
        MessageRecorder recorder;
        MainWindow siteless;
        siteless.updateAction();
        siteless.manualAction();
        QVERIFY(recorder.prompts.isEmpty() && opened.isEmpty());
        for (QAction* action : siteless.findChildren<QAction*>())
            QCOMPARE(action->isEnabled(), !QStringList({"Manual", "Website", "Check for Updates", "Report a Bug"})
                                               .contains(action->text()));
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
