#include "dvdrip/dvdtext.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString disc = QStringLiteral(HALVORN_TEST_DVD);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run tarvik(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(HALVORN_TEST_TOOLS "/tarvik"), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLatin1(process.readAllStandardOutput()), QString::fromLatin1(process.readAllStandardError())};
}

// FFmpeg's own word on a file: the frames it decodes, and the strongest colour of the first one.
QString decoded(const QString& file)
{
    QProcess decode;
    decode.start("ffmpeg", {"-hide_banner", "-nostdin", "-i", file, "-map", "0:v", "-f", "null", "-"});
    decode.waitForFinished(60000);
    QString frames = "no";
    for (const QRegularExpressionMatch& match :
         QRegularExpression("frame= *(\\d+)").globalMatch(QString::fromUtf8(decode.readAllStandardError())))
        frames = match.captured(1);
    QProcess picture;
    picture.start("ffmpeg", {"-hide_banner", "-nostdin", "-loglevel", "error", "-i", file, "-frames:v", "1", "-vf",
                             "scale=1:1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    picture.waitForFinished(60000);
    const QByteArray rgb = picture.readAllStandardOutput();
    const QStringList names = {"red", "green", "blue"};
    const auto strongest = std::max_element(rgb.begin(), rgb.end(), [](char a, char b) { return uchar(a) < uchar(b); });
    return frames + " frames, " + (rgb.size() == 3 ? names.at(strongest - rgb.begin()) : "no picture") + " first";
}

} // namespace

class TestTarvik : public QObject {
    Q_OBJECT

    QTemporaryDir out;

private slots:
    void listsTheAuthoredTitlesWithTheirLengths_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addRow("image") << disc + "/dvd.iso";
        QTest::addRow("VIDEO_TS folder") << disc + "/DVD";
    }
    void listsTheAuthoredTitlesWithTheirLengths()
    {
        QFETCH(QString, source);
        const Run run = tarvik({source});
        QCOMPARE(run.exitCode, 0);
        // The library's notes go to standard error; only the listing is on standard output.
        QVERIFY2(!run.out.contains("libdvdread") && run.err.contains("libdvdread"), qPrintable(run.out));
        QCOMPARE(DvdText::parseTitleListing(run.out), (QList<qint64>{5000, 5000, 2000}));
    }

    void ripsEachTitleInItsCellOrder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::addRow("blue then red") << "1" << "125 frames, blue first";
        QTest::addRow("the same cells, red first") << "2" << "125 frames, red first";
        QTest::addRow("NTSC") << "3" << "60 frames, green first";
    }
    void ripsEachTitleInItsCellOrder()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        const QString file = out.filePath("title" + title + ".vob");
        const Run run = tarvik({disc + "/dvd.iso", title, file});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("  0%") && DvdText::parsePercent(run.out) == 100, qPrintable(run.out));
        QCOMPARE(decoded(file), expected);
    }

    void failuresAreSaidAndLeaveNoFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::addRow("encrypted") << QStringList{disc + "/scrambled", "1", "new.vob"}
                                   << "tarvik: title 1 is encrypted (CSS); encrypted discs cannot be read here";
        QTest::addRow("no such title") << QStringList{disc + "/dvd.iso", "4", "new.vob"}
                                       << "tarvik: there is no title 4 on this disc; it has 3 titles";
        QTest::addRow("not a disc") << QStringList{disc + "/blue.mpg", "1", "new.vob"}
                                    << "tarvik: " + disc + "/blue.mpg holds no readable DVD-Video title information"
                                       " (VIDEO_TS.IFO)";
        QTest::addRow("output exists") << QStringList{disc + "/dvd.iso", "1", "kept.vob"}
                                       << "tarvik: " + out.filePath("kept.vob") + " exists already; it is not overwritten";
    }
    void failuresAreSaidAndLeaveNoFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        QFile kept(out.filePath("kept.vob"));
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("mine") == 4);
        kept.close();
        arguments[2] = out.filePath(arguments[2]);
        const Run run = tarvik(arguments);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(DvdText::lastLine(run.err), reason);
        QVERIFY(!QFile::exists(out.filePath("new.vob")));
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == "mine");
    }
};

QTEST_GUILESS_MAIN(TestTarvik)
#include "tst_tarvik.moc"
