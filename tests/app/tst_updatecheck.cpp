#include "app/mainwindow.h"
#include "app/updatecheck.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

// A web site on the loopback address that answers every request with one body, or never answers.
class FakeSite final : public QObject {
    Q_OBJECT
public:
    FakeSite()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    requests.append(QString::fromLatin1(socket->readAll()).section(' ', 1, 1));
                    if (silent)
                        return;
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
                                  + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        server.listen(QHostAddress::LocalHost);
    }
    [[nodiscard]] QString address() const { return QString("http://127.0.0.1:%1").arg(server.serverPort()); }

    QByteArray body;
    QByteArray status = "200 OK";
    bool silent = false;
    QStringList requests;

private:
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
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("http"); }
    void init() { opened.clear(); }
    void cleanup() { qunsetenv("HALVORN_SITE"); }

    void versionComparison_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("newer");
        QTest::addRow("same") << "1.6.8" << false;
        QTest::addRow("minor step") << "1.7.0\nfaster\n" << true;
        QTest::addRow("numbers, not text") << "1.6.10" << true;
        QTest::addRow("larger last part only") << "1.5.9" << false;
        QTest::addRow("major") << "2.0.0\r\nnew\r\n" << true;
        QTest::addRow("blanks around") << "  1.6.9  \nx" << true;
        QTest::addRow("two parts") << "1.6" << false;
        QTest::addRow("two parts, newer") << "1.7" << true;
        QTest::addRow("fourth part ignored") << "1.6.8.9" << false;
        QTest::addRow("html page") << "<html><body>Not found</body></html>" << false;
        QTest::addRow("empty") << "" << false;
    }
    void versionComparison()
    {
        QFETCH(QString, reply);
        QTEST(UpdateCheck::isNewer(reply, "1.6.8"), "newer");
    }

    void theMessageKeepsTheLinesAsSent()
    {
        QCOMPARE(UpdateCheck::newVersionMessage("1.7.0\nFaster probing\nDVD menus\n"),
                 "Version 1.7.0 is available for download!\n\nNew features:\nFaster probing\nDVD menus\n\n\n"
                 "Would you like to download this now?");
        QCOMPARE(UpdateCheck::newVersionMessage("2.0.0\r\nOne\r\n"),
                 "Version 2.0.0\r is available for download!\n\nNew features:\nOne\r\n\n\n"
                 "Would you like to download this now?");
        QCOMPARE(UpdateCheck::replyText(QByteArray("1.7.0\nabc\0def", 13)), "1.7.0\nabc");
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addRow("same version at start") << QByteArray("1.6.8") << false << "" << "";
        QTest::addRow("same version asked")
            << QByteArray("1.6.8") << true << "Warning" << "You have the most up to date version installed";
        QTest::addRow("newer at start")
            << QByteArray("1.7.0\nA\nB\n") << false << "New Update Available"
            << "Version 1.7.0 is available for download!\n\nNew features:\nA\nB\n\n\nWould you like to download this now?";
        QTest::addRow("html body shown as text")
            << QByteArray("9.9.9\n<b>bold</b> <img src=x>\n") << true << "New Update Available"
            << "Version 9.9.9 is available for download!\n\nNew features:\n<b>bold</b> <img src=x>\n\n\n"
               "Would you like to download this now?";
    }
    void replies()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, manual);
        QFETCH(QString, title);
        QFETCH(QString, text);
        FakeSite site;
        site.body = body;
        qputenv("HALVORN_SITE", site.address().toUtf8());
        MessageRecorder recorder(QMessageBox::Yes);
        MainWindow window;
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
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.first().title, title);
        QCOMPARE(recorder.prompts.first().text, text);
        if (title == "New Update Available")
            QTRY_COMPARE(opened, QList<QUrl>{QUrl(site.address() + "/update?version=1.6.8")});
    }

    void aSiteThatNeverAnswersEndsTheCheck()
    {
        FakeSite site;
        site.silent = true;
        qputenv("HALVORN_SITE", site.address().toUtf8());
        MessageRecorder recorder;
        MainWindow window;
        window.setUpdateTimeout(std::chrono::milliseconds(300));
        QTRY_COMPARE(site.requests.size(), 1);
        window.updateAction();
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title, "Warning");
        QVERIFY2(recorder.prompts.at(0).text.startsWith("The update check failed"), qPrintable(recorder.prompts.at(0).text));
    }

    void anErrorPageIsAFailedCheck()
    {
        FakeSite site;
        site.status = "404 Not Found";
        site.body = "<html>gone</html>";
        qputenv("HALVORN_SITE", site.address().toUtf8());
        MessageRecorder recorder;
        MainWindow window;
        QTRY_COMPARE(site.requests.size(), 1);
        QTest::qWait(200);
        QCOMPARE(recorder.prompts.size(), 0);
        window.updateAction();
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QVERIFY(recorder.prompts.at(0).text.startsWith("The update check failed"));
    }

    void theHelpLinksOpenTheSitesPages()
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
    }

    void aBuildWithoutSiteAsksNothingAndOffersNoLinks()
    {
        qputenv("HALVORN_SITE", "");
        MessageRecorder recorder;
        MainWindow window;
        window.updateAction();
        window.manualAction();
        QTest::qWait(200);
        QVERIFY(recorder.prompts.isEmpty());
        QVERIFY(opened.isEmpty());
        QStringList disabled;
        for (QMenu* menu : window.findChildren<QMenu*>())
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && !action->isEnabled())
                    disabled << action->text();
        QCOMPARE(disabled, (QStringList{"Manual", "Website", "Check for Updates", "Report a Bug"}));
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
