#include "catalogue/catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs statements on a connection of its own, as another program editing the file would.
void execute(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "setup");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const QString& statement : statements)
            QVERIFY2(query.exec(statement), qPrintable(statement + ": " + query.lastError().text()));
    }
    QSqlDatabase::removeDatabase("setup");
}

QStringList column(const QStringList& rows, int width, int index)
{
    QStringList values;
    for (qsizetype at = index; at < rows.size(); at += width)
        values.append(rows.at(at));
    return values;
}

int scalar(const QString& path, const QString& statement)
{
    int value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(statement, db);
        if (query.next())
            value = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase("check");
    return value;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

private slots:
    void init()
    {
        path = dir.filePath(QString("catalogue-%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(path);
        // The shipped catalogue's columns in another order and with one more, as a catalogue of
        // another release may hold them: they are read by name. The rows exercise each rule.
        execute(path, {
            "CREATE TABLE tbl_AddCategories (id INTEGER PRIMARY KEY, label TEXT, kind TEXT, icon TEXT,"
            " dialog_title TEXT, name_filter TEXT)",
            "CREATE TABLE tbl_FormatCategories (look TEXT, added TEXT, id INTEGER PRIMARY KEY, label TEXT,"
            " device INTEGER, icon TEXT, count INTEGER, default_pos INTEGER)",
            "CREATE TABLE tbl_OutputCategories (ffmpeg_args TEXT, id INTEGER PRIMARY KEY, label TEXT, format INTEGER,"
            " icon TEXT, extension TEXT, count INTEGER, default_pos INTEGER, description TEXT)",
            "INSERT INTO tbl_AddCategories VALUES (1, 'Audio', 'audio', 'a.png', 'Add Audio', 'A (*.mp3)'),"
            " (2, 'Video', 'video', 'v.png', 'Add Video', 'V (*.mp4)')",
            "INSERT INTO tbl_FormatCategories (id, label, device, icon, count, default_pos, look) VALUES"
            " (1, 'Phone', 1, 'p.png', 0, 2, 'maker'), (2, 'Tablet', 1, 't.png', 0, 1, NULL),"
            " (3, 'MP4', 0, 'm.png', 0, 2, NULL), (4, 'MP3', 0, 'n.png', 0, 1, NULL),"
            " (5, 'Lost', NULL, 'l.png', 0, 0, NULL), (7, 'DVD', 0, 'd.png', 1, 9, NULL)",
            "INSERT INTO tbl_OutputCategories (id, label, format, icon, extension, count, default_pos,"
            " description, ffmpeg_args) VALUES"
            " (1, 'High', 3, 'h.png', 'mp4', 0, 3, NULL, '-s 1920x1080 -c:v libx264'),"
            " (2, 'Mid', 3, 'm.png', 'mp4', 0, 1, NULL, '-s 1280x720 -c:v libx264'),"
            " (3, 'Low', 3, 'l.png', NULL, 0, 2, NULL, '-s 640x360 -c:v libx264'),"
            " (4, '128k', 4, 'k.png', 'mp3', 0, 1, NULL, '-vn -b:a 128k')",
        });
    }

    void listsAreFlatRowsInCountThenPositionOrder()
    {
        Catalogue catalogue;
        QVERIFY(catalogue.open(path));
        catalogue.load();
        QCOMPARE(catalogue.addList(), (QStringList{"1", "Audio", "audio", "a.png", "Add Audio", "A (*.mp3)",
                                                   "2", "Video", "video", "v.png", "Add Video", "V (*.mp4)"}));
        QCOMPARE(catalogue.deviceList(), (QStringList{"2", "Tablet", "1", "t.png", "0", "1", "",
                                                      "1", "Phone", "1", "p.png", "0", "2", "maker"}));
        // A NULL device is neither a device nor a format.
        QCOMPARE(column(catalogue.formatList(), Catalogue::formatColumns, 0), (QStringList{"7", "4", "3"}));
        const QStringList presets = catalogue.outputList("3");
        QCOMPARE(column(presets, Catalogue::outputColumns, 0), (QStringList{"2", "3", "1"}));
        QCOMPARE(column(presets, Catalogue::outputColumns, 4), (QStringList{"mp4", "", "mp4"}));
        QCOMPARE(column(presets, Catalogue::outputColumns, 8).first(), "-s 1280x720 -c:v libx264");
        QVERIFY(catalogue.outputList("2").isEmpty());
    }

    void countsReorderTheListsAfterAReload()
    {
        {
            Catalogue catalogue;
            QVERIFY(catalogue.open(path));
            catalogue.load();
            QCOMPARE(column(catalogue.formatList(), Catalogue::formatColumns, 0), (QStringList{"7", "4", "3"}));
            catalogue.incrementCount(3, 1);
            // The lists read at start stay as they were until the next start...
            QCOMPARE(column(catalogue.formatList(), Catalogue::formatColumns, 0), (QStringList{"7", "4", "3"}));
            // ...while presets are read afresh each time.
            QCOMPARE(column(catalogue.outputList("3"), Catalogue::outputColumns, 0), (QStringList{"1", "2", "3"}));
        }
        Catalogue restarted;
        QVERIFY(restarted.open(path));
        restarted.load();
        QCOMPARE(column(restarted.formatList(), Catalogue::formatColumns, 0), (QStringList{"3", "7", "4"}));
        QCOMPARE(scalar(path, "SELECT count FROM tbl_FormatCategories WHERE id=3"), 1);
        QCOMPARE(scalar(path, "SELECT count FROM tbl_OutputCategories WHERE id=1"), 1);
        QCOMPARE(scalar(path, "SELECT SUM(count) FROM tbl_OutputCategories"), 1);
    }

    void aFileThatIsNoCatalogueLeavesTheListsEmpty()
    {
        QFile junk(path);
        QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
        junk.write("not a database at all, just some words in a file");
        junk.close();
        Catalogue catalogue;
        (void)catalogue.open(path);
        catalogue.load();
        QVERIFY(catalogue.addList().isEmpty());
        QVERIFY(catalogue.formatList().isEmpty());
        QVERIFY(catalogue.outputList("3").isEmpty());
    }

    void aMissingFileIsNotCreated()
    {
        Catalogue catalogue;
        QVERIFY(!catalogue.open(dir.filePath("absent.db")));
        QVERIFY(!QFile::exists(dir.filePath("absent.db")));
    }

    void everyShippedRowIsComplete()
    {
        Catalogue catalogue;
        QVERIFY(catalogue.open(HALVORN_TEST_CATALOGUE));
        catalogue.load();
        QStringList problems;
        const auto checkIcon = [&problems](const QString& icon, const QString& row) {
            if (!QFile::exists(HALVORN_SOURCE_DIR "/qml/" + icon))
                problems << row + ": no icon " + icon;
        };
        for (qsizetype at = 0; at < catalogue.addList().size(); at += Catalogue::addColumns)
            checkIcon(catalogue.addList().at(at + 3), catalogue.addList().at(at + 1));

        QSet<QString> ids;
        for (const QStringList* list : {&catalogue.deviceList(), &catalogue.formatList()}) {
            for (qsizetype at = 0; at < list->size(); at += Catalogue::formatColumns) {
                const QString id = list->at(at);
                const QString label = list->at(at + 1);
                if (ids.contains(id))
                    problems << label + ": id " + id + " twice";
                ids.insert(id);
                checkIcon(list->at(at + 3), label);
                const QStringList rows = catalogue.outputList(id);
                if (rows.isEmpty())
                    problems << label + ": no presets";
                for (qsizetype row = 0; row < rows.size(); row += Catalogue::outputColumns) {
                    const QString name = label + " / " + rows.at(row + 1);
                    checkIcon(rows.at(row + 3), name);
                    if (rows.at(row + 4).isEmpty())
                        problems << name + ": no extension";
                    // The size is the second token unless the preset is sound-only, starts with
                    // -pix_fmt, sets its own shape or has its picture planned to fit a size.
                    const QString args = rows.at(row + 8);
                    const QStringList tokens = args.split(' ');
                    const bool keptAsItIs = tokens.first() == "-vn" || tokens.first() == "-pix_fmt" || args.contains("-aspect")
                                         || tokens.contains("-fit-size");
                    if (!keptAsItIs && !QRegularExpression("^\\d+x\\d+$").match(tokens.value(1)).hasMatch())
                        problems << name + ": no frame size in the second token of " + args;
                    if (args.contains("  ") || args.trimmed() != args)
                        problems << name + ": stray blanks in " + args;
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // The rows the pages name: the File menu's audio and video entries, the two disc targets.
        const QStringList& add = catalogue.addList();
        QVERIFY2(add.value(4).contains("Audio") && add.value(5).contains("*.mp3"), "first add entry is audio");
        QVERIFY2(add.value(10).contains("Video") && add.value(11).contains("*.mp4"), "second add entry is video");
        QVERIFY(column(catalogue.outputList("7"), Catalogue::outputColumns, 1).value(0).startsWith("PAL "));
        QCOMPARE(column(catalogue.outputList("36"), Catalogue::outputColumns, 4), QStringList{"wav"});
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
