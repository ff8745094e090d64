#include "convert/tempfiles.h"

#include <QtTest>

class TestTempFiles : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString temp;
    QString outside;

    static void write(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("data");
    }

private slots:
    // A temporary folder with a file, a folder holding a hidden file and a link out, and links to a
    // file and a folder outside it.
    void init()
    {
        temp = root.filePath("data/temp");
        outside = root.filePath("data/keep");
        QDir(root.path()).removeRecursively();
        write(outside + "/precious.txt");
        write(root.filePath("data/temp2/other.txt"));
        write(temp + "/123.png");
        write(temp + "/sub/a/.hidden");
        QVERIFY(QFile::link(outside, temp + "/sub/nested-link"));
        QVERIFY(QFile::link(outside, temp + "/folder-link"));
        QVERIFY(QFile::link(outside + "/precious.txt", temp + "/file-link"));
    }

    // Files, folders and links inside go, and nothing else; a link is removed, never followed.
    void onlyWhatLiesInsideGoes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("removed");
        QTest::addRow("a file") << "data/temp/123.png" << true;
        QTest::addRow("a folder with a link out") << "data/temp/sub" << true;
        QTest::addRow("a link to a folder outside") << "data/temp/folder-link" << true;
        QTest::addRow("a link to a file outside") << "data/temp/file-link" << true;
        QTest::addRow("another folder") << "data/keep/precious.txt" << false;
        QTest::addRow("dot-dot out of temp") << "data/temp/../keep/precious.txt" << false;
        QTest::addRow("dot-dot to the folder") << "data/temp/x/../../keep" << false;
        QTest::addRow("name that starts like temp") << "data/temp2/other.txt" << false;
        QTest::addRow("temp itself") << "data/temp" << false;
        QTest::addRow("temp with a trailing separator") << "data/temp/" << false;
        QTest::addRow("inside then up to temp") << "data/temp/sub/.." << false;
        QTest::addRow("through a link out") << "data/temp/folder-link/precious.txt" << false;
        QTest::addRow("absent") << "data/temp/absent.png" << false;
    }
    void onlyWhatLiesInsideGoes()
    {
        QFETCH(QString, path);
        QFETCH(bool, removed);
        QVERIFY(!TempFiles::removeInside(temp, QString()));
        QCOMPARE(TempFiles::removeInside(temp, root.filePath(path)), removed);
        const QFileInfo after(root.filePath(path));
        QVERIFY(!removed || (!after.exists() && !after.isSymLink()));
        QCOMPARE(QFile::exists(temp + "/123.png"), path != "data/temp/123.png");
        QCOMPARE(QFile::exists(temp + "/sub/a/.hidden"), path != "data/temp/sub");
        QVERIFY(QFile::exists(outside + "/precious.txt"));
        QVERIFY(QFile::exists(root.filePath("data/temp2/other.txt")));
    }
};

QTEST_GUILESS_MAIN(TestTempFiles)
#include "tst_tempfiles.moc"
