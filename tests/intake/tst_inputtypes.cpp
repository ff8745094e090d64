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
        // Camera files and file managers name them in capitals; a drop takes them, so must this.
        QTest::addRow("mixed") << QStringList{"a.mp3", "B.MP3", "notes.txt", "c.mkv", "Mixed.Mp4"}
                               << QStringList{"a.mp3", "B.MP3", "c.mkv", "Mixed.Mp4"};
        QTest::addRow("bare suffix word") << QStringList{"mp3"} << QStringList{"mp3"};
        QTest::addRow("dotted folder") << QStringList{"/music.d/track"} << QStringList{};
        QTest::addRow("last dot counts") << QStringList{"/v/movie.final.webm", "a.mp3.txt"}
                                         << QStringList{"/v/movie.final.webm"};
        QTest::addRow("cd track") << QStringList{"Track01.cda"} << QStringList{"Track01.cda"};
        const QStringList converted = {"a.ts", "b.M2T", "c.opus", "d.3gpp", "e.rmvb", "f.LRV", "g.ac3", "h.dts", "i.dv", "j.wv"};
        QTest::addRow("what the batch mode converts") << converted << converted;
        QTest::addRow("program with suffix") << QStringList{"/opt/x/halvorn.exe", "a.wav"} << QStringList{"a.wav"};
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        const InputTypes::NamedFiles files = InputTypes::filterCommandLine(arguments);
        QCOMPARE(files.accepted, expected);
        QCOMPARE(files.accepted.size() + files.refused.size(), arguments.size());
    }

    void refusedFilesAreNamedWithTheReason()
    {
        QCOMPARE(InputTypes::refusalMessage({"/home/u/notes.txt"}), "1 file was not added: notes.txt is not an audio or video file");
        QCOMPARE(InputTypes::refusalMessage(QStringList(12, "a.txt")),
                 "12 files were not added: " + QStringList(10, "a.txt").join(", ") + ", … are not audio or video files");
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

    // "Open With" in a file manager offers Halvorn for exactly the types the window accepts, and the
    // Add tab's file dialogs show exactly those files.
    void theMenuEntryAndTheFileDialogsOfferWhatTheWindowAccepts()
    {
        const auto read = [](const char* path) {
            QFile file(QStringLiteral(HALVORN_SOURCE_DIR "/") + path);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QString entry = read("data/linux/org.halvorn.Halvorn.desktop");
        const QStringList listed = entry.section("\nMimeType=", 1).section('\n', 0, 0).split(';', Qt::SkipEmptyParts);
        QSet<QString> types;
        QSet<QString> suffixes(InputTypes::acceptedSuffixes().cbegin(), InputTypes::acceptedSuffixes().cend());
        suffixes.remove("cda");
        for (const QString& suffix : suffixes)
            for (const QMimeType& type : QMimeDatabase().mimeTypesForFileName("x." + suffix))
                if (!type.inherits("text/plain")) // ".ts" names a translation source too
                    types.insert(type.name());
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()), types);

        QSet<QString> filtered;
        const QRegularExpression pattern("\\*\\.(\\w+)");
        for (auto match = pattern.globalMatch(read("data/catalogue.sql")); match.hasNext();)
            filtered.insert(match.next().captured(1));
        QCOMPARE(filtered, suffixes);
    }
};

QTEST_GUILESS_MAIN(TestInputTypes)
#include "tst_inputtypes.moc"
