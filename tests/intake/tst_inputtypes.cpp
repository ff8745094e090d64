#include "intake/inputtypes.h"

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>

class TestInputTypes : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QUrl localFile(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.exists()) {
            file.open(QIODevice::WriteOnly);
            file.write("x");
        }
        return QUrl::fromLocalFile(path);
    }

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        const QString program = "/usr/bin/halvorn";
        QTest::addRow("only the program") << QStringList{program} << QStringList{};
        QTest::addRow("mixed") << QStringList{program, "a.mp3", "B.MP3", "notes.txt", "c.mkv"}
                               << QStringList{"a.mp3", "c.mkv"};
        QTest::addRow("bare suffix word") << QStringList{program, "mp3"} << QStringList{"mp3"};
        QTest::addRow("dotted folder") << QStringList{program, "/music.d/track"} << QStringList{};
        QTest::addRow("last dot counts") << QStringList{program, "/v/movie.final.webm", "a.mp3.txt"}
                                         << QStringList{"/v/movie.final.webm"};
        QTest::addRow("cd track") << QStringList{program, "Track01.cda"} << QStringList{"Track01.cda"};
        QTest::addRow("rarer kinds") << QStringList{program, "a.3g2", "b.xvid", "c.qcp", "d.m2ts"}
                                     << QStringList{"a.3g2", "b.xvid", "c.qcp", "d.m2ts"};
        QTest::addRow("program with suffix") << QStringList{"/opt/x/halvorn.exe", "a.wav"}
                                             << QStringList{"a.wav"};
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        QCOMPARE(InputTypes::filterCommandLine(arguments), expected);
    }

    void dragTest_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("acceptable");
        QTest::addRow("text file") << QList<QUrl>{QUrl::fromLocalFile("/t/notes.txt")} << false;
        QTest::addRow("text and upper-case MP4")
            << QList<QUrl>{QUrl::fromLocalFile("/t/notes.txt"), QUrl::fromLocalFile("/t/CLIP.MP4")} << true;
        QTest::addRow("web link") << QList<QUrl>{QUrl("https://example.org/films/trailer.mp4")} << true;
        QTest::addRow("no suffix") << QList<QUrl>{QUrl::fromLocalFile("/t/mp4")} << false;
        QTest::addRow("dotted folder, bare name")
            << QList<QUrl>{QUrl::fromLocalFile("/t/clips.mp4/readme")} << false;
    }
    void dragTest()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, acceptable);
        QCOMPARE(InputTypes::isDragAcceptable(urls), acceptable);
    }

    void drop_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("cdTrack");
        QTest::addRow("text and upper-case MP4")
            << QList<QUrl>{localFile("notes.txt"), localFile("CLIP.MP4")}
            << QStringList{dir.filePath("CLIP.MP4")} << false;
        QTest::addRow("cd track and mp3") << QList<QUrl>{localFile("Track01.cda"), localFile("a.mp3")}
                                          << QStringList{dir.filePath("a.mp3")} << true;
        QTest::addRow("upper-case cd track") << QList<QUrl>{localFile("TRACK01.CDA")} << QStringList{}
                                             << true;
        QTest::addRow("missing file") << QList<QUrl>{QUrl::fromLocalFile(dir.filePath("gone.mp3"))}
                                      << QStringList{} << false;
        QTest::addRow("missing cd track")
            << QList<QUrl>{QUrl::fromLocalFile(dir.filePath("gone.cda"))} << QStringList{} << false;
        QTest::addRow("web link") << QList<QUrl>{QUrl("https://example.org/trailer.mp4")}
                                  << QStringList{} << false;
        QTest::addRow("drag order kept, odd names")
            << QList<QUrl>{localFile("z b.ogg"), localFile("-a'\"ü.flac"), localFile("m.webm")}
            << QStringList{dir.filePath("z b.ogg"), dir.filePath("-a'\"ü.flac"), dir.filePath("m.webm")}
            << false;
    }
    void drop()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, expected);
        QFETCH(bool, cdTrack);
        const InputTypes::DropResult result = InputTypes::filterDrop(urls);
        QCOMPARE(result.paths, expected);
        QCOMPARE(result.cdTrackDropped, cdTrack);
    }

    // "Open With" in a file manager offers Halvorn for exactly the types its menu entry names.
    void theMenuEntryNamesTheTypeOfEveryAcceptedSuffix()
    {
        QFile entry(HALVORN_SOURCE_DIR "/data/linux/org.halvorn.Halvorn.desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        const QStringList listed = text.section("\nMimeType=", 1).section('\n', 0, 0).split(';', Qt::SkipEmptyParts);
        QStringList missing;
        for (const QString& suffix : InputTypes::acceptedSuffixes())
            for (const QMimeType& type : QMimeDatabase().mimeTypesForFileName("x." + suffix))
                if (!listed.contains(type.name()) && suffix != "cda")
                    missing << suffix + ": " + type.name();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QVERIFY(listed.contains("video/mp4"));
    }
};

QTEST_GUILESS_MAIN(TestInputTypes)
#include "tst_inputtypes.moc"
