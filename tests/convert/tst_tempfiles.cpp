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
    void init()
    {
        temp = root.filePath("data/temp");
        outside = root.filePath("data/keep");
        QDir(root.path()).removeRecursively();
        QDir().mkpath(temp + "/sub");
        write(outside + "/precious.txt");
        write(root.filePath("data/temp2/other.txt"));
        QVERIFY(QFile::link(outside, temp + "/folder-link"));
    }

    void nothingOutsideIsTouched_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addRow("another folder") << "data/keep/precious.txt";
        QTest::addRow("dot-dot out of temp") << "data/temp/../keep/precious.txt";
        QTest::addRow("dot-dot to the folder") << "data/temp/x/../../keep";
        QTest::addRow("name that starts like temp") << "data/temp2/other.txt";
        QTest::addRow("temp itself") << "data/temp";
        QTest::addRow("temp with a trailing separator") << "data/temp/";
        QTest::addRow("inside then up to temp") << "data/temp/sub/..";
        QTest::addRow("through a link out") << "data/temp/folder-link/precious.txt";
        QTest::addRow("absent") << "data/temp/absent.png";
    }
    void nothingOutsideIsTouched()
    {
        QFETCH(QString, path);
        QVERIFY(!TempFiles::removeInside(temp, root.filePath(path)));
        QVERIFY(!TempFiles::removeInside(temp, QString()));
        QVERIFY(QFile::exists(outside + "/precious.txt"));
        QVERIFY(QFile::exists(root.filePath("data/temp2/other.txt")));
        QVERIFY(QDir(temp + "/sub").exists());
    }

    // Files, folders and links inside go; a link is removed, never followed.
    void everythingInsideGoes()
    {
        write(temp + "/123.png");
        write(temp + "/sub/a/1.mpg");
        write(temp + "/sub/.hidden");
        QVERIFY(TempFiles::removeInside(temp, temp + "/123.png"));
        QVERIFY(QFile::link(outside + "/precious.txt", temp + "/file-link"));
        QVERIFY(QFile::link(outside, temp + "/sub/nested-link"));
        QVERIFY(TempFiles::removeInside(temp, temp + "/file-link"));
        QVERIFY(TempFiles::removeInside(temp, temp + "/folder-link"));
        QVERIFY(TempFiles::removeInside(temp, temp + "/sub"));
        QVERIFY(!QFileInfo(temp + "/file-link").isSymLink());
        QVERIFY(!QFileInfo(temp + "/folder-link").isSymLink());
        QVERIFY(!QFileInfo::exists(temp + "/sub") && !QFileInfo::exists(temp + "/123.png"));
        QVERIFY(QFile::exists(outside + "/precious.txt"));
        QVERIFY(QDir(temp).exists());
    }
};

QTEST_GUILESS_MAIN(TestTempFiles)
#include "tst_tempfiles.moc"
