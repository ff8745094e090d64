#include "app/mainwindow.h"
#include "app/updatecheck.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// A web site on the loopback address. It answers every request with one body, under an error status
// ("404"), or sends without end ("endless"), or one byte at a time without end ("trickle").
class FakeSite final {
public:
    explicit FakeSite(const QByteArray& body, const QString& mode = {})
        : body(body), mode(mode)
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        server.listen(QHostAddress::LocalHost);
    }
    [[nodiscard]] QString address() const { return QString("http://127.0.0.1:%1").arg(server.serverPort()); }

    QStringList requests;

private:
    void answer(QTcpSocket* socket)
    {
        requests.append(QString::fromLatin1(socket->readAll()).section(' ', 1, 1));
        const bool whole = mode.isEmpty() || mode == "404";
        const QByteArray length = whole ? "Content-Length: " + QByteArray::number(body.size()) + "\r\n" : "";
        socket->write("HTTP/1.1 " + QByteArray(mode == "404" ? "404 Not Found" : "200 OK") + "\r\n" + length + "\r\n" + body);
        if (whole)
            return socket->disconnectFromHost();
        auto* more = new QTimer(socket);
        QObject::connect(more, &QTimer::timeout, socket, [this, socket] {
            if (socket->state() == QAbstractSocket::ConnectedState)
                socket->write(mode == "endless" ? QByteArray(64 * 1024, 'x') : QByteArray("."));
        });
        more->start(mode == "endless" ? 0 : 100);
    }

    const QByteArray body;
    const QString mode;
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
        QTest::addRow("numbers, not text") << QByteArray("1.6.10") << true << true;
        QTest::addRow("larger last part only") << QByteArray("1.5.9") << true << false;
        QTest::addRow("major, CRLF") << QByteArray("2.0.0\r\nnew\r\n") << true << true;
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

    // The check at start-up speaks only of a newer version; asked for, it always answers.
    void replies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addRow("same version") << QByteArray("1.6.8") << "" << "Warning"
                                      << "You have the most up to date version installed";
        QTest::addRow("newer") << QByteArray("1.7.0\nA\nB\n") << "" << "New Update Available"
                               << "Version 1.7.0 is available for download!\n\nNew features:\nA\nB\n\n\n"
                                  "Would you like to download this now?";
        QTest::addRow("error page") << QByteArray("<html>gone</html>") << "404" << "Warning" << "The update check failed: ";
        QTest::addRow("no version") << QByteArray("9.9<html>") << "" << "Warning"
                                    << "The update check failed: the site did not answer with a version number.";
        QTest::addRow("endless reply") << QByteArray("9.9.9\n") << "endless" << "Warning"
                                       << "The update check failed: the site's answer is too large";
        QTest::addRow("trickling reply") << QByteArray("9") << "trickle" << "Warning"
                                         << "The update check timed out: the site did not answer within 2 seconds.";
    }
    void replies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, mode);
        QFETCH(QString, title);
        QFETCH(QString, text);
        FakeSite site(body, mode);
        qputenv("HALVORN_SITE", site.address().toUtf8());
        MessageRecorder recorder(QMessageBox::Yes);
        MainWindow window;
        window.setUpdateTimeout(std::chrono::seconds(2));
        QSignalSpy handled(window.findChild<QNetworkAccessManager*>(), &QNetworkAccessManager::finished);
        QVERIFY(handled.wait(30000));
        QCOMPARE(site.requests, QStringList{"/current-version"});
        if (title != "New Update Available") {
            QCOMPARE(recorder.prompts.size(), 0);
            window.updateAction();
            QVERIFY(handled.wait(30000));
        }
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.first().title, title);
        QVERIFY2(recorder.prompts.first().text.startsWith(text), qPrintable(recorder.prompts.first().text));
        if (title == "New Update Available")
            QCOMPARE(opened, QList<QUrl>{QUrl(site.address() + "/update?version=1.6.8")});
    }

    void theHelpLinksOpenTheSitesPagesWhenThereIsOne()
    {
        FakeSite site("1.6.8");
        qputenv("HALVORN_SITE", (site.address() + "/").toUtf8());
        MainWindow window;
        window.manualAction();
        window.websiteAction();
        window.reportBugAction();
        QCOMPARE(opened, (QList<QUrl>{QUrl(site.address() + "/manual"), QUrl(site.address() + "/"),
                                      QUrl(site.address() + "/support")}));
        qputenv("HALVORN_SITE", "");
        MainWindow siteless;
        for (QAction* action : siteless.findChildren<QAction*>())
            QCOMPARE(action->isEnabled(), !QStringList({"Manual", "Website", "Check for Updates", "Report a Bug"})
                                               .contains(action->text()));
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
