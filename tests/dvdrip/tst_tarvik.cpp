#include "dvdrip/dvdtext.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

using Flips = QList<QPair<int, int>>;

const QString disc = QStringLiteral(HALVORN_TEST_DVD);

// Exit code, standard output and standard error of a run.
std::tuple<int, QString, QString> run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLatin1(process.readAllStandardOutput()), QString::fromLatin1(process.readAllStandardError())};
}

// FFmpeg's word on a video: the frames it decodes, each shrunk to one pixel, and the strongest
// colour of the first one.
QString decoded(const QString& file)
{
    const auto [code, rgb, errors] = run("ffmpeg", {"-nostdin", "-i", file, "-an", "-vf", "scale=1:1", "-f", "rawvideo",
                                                    "-pix_fmt", "rgb24", "-"});
    const qsizetype strongest = rgb.size() >= 3 ? std::max_element(rgb.begin(), rgb.begin() + 3) - rgb.begin() : -1;
    const QString colour = QStringList{"red", "green", "blue"}.value(strongest, "no picture");
    return QString("%1 frames, %2 first").arg(rgb.size() / 3).arg(colour);
}

} // namespace

class TestTarvik : public QObject {
    Q_OBJECT

    QTemporaryDir out;
    const QString tarvik = QStringLiteral(HALVORN_TEST_TOOLS "/tarvik");

private slots:
    // Each title is listed with its length, and ripped cell by cell in its program chain's order.
    void listsAndRipsEachTitle_data()
    {
        QTest::addColumn<int>("title");
        QTest::addColumn<QString>("video");
        QTest::addRow("blue then red") << 1 << "125 frames, blue first";
        QTest::addRow("the same cells, red first") << 2 << "125 frames, red first";
        QTest::addRow("NTSC") << 3 << "60 frames, green first";
    }
    void listsAndRipsEachTitle()
    {
        QFETCH(int, title);
        const auto [listed, listing, notes] = run(tarvik, {disc + "/dvd.iso"});
        // The library's notes go to standard error; only the listing is on standard output.
        QVERIFY2(listed == 0 && !listing.contains("libdvdread") && notes.contains("libdvdread"), qPrintable(listing));
        QCOMPARE(DvdText::parseTitleListing(listing), (QList<qint64>{5000, 5000, 2000}));
        const QString file = out.filePath(QString("title%1.vob").arg(title));
        const auto [code, progress, errors] = run(tarvik, {disc + "/dvd.iso", QString::number(title), file});
        QCOMPARE(code, 0);
        QVERIFY2(progress.startsWith("  0%") && DvdText::parsePercent(progress) == 100, qPrintable(progress));
        QTEST(decoded(file), "video");
    }

    void failuresAreSaidAndLeaveNoFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::addRow("encrypted") << QStringList{disc + "/scrambled", "1", "new.vob"}
                                   << "title 1 is encrypted (CSS); encrypted discs cannot be read here";
        QTest::addRow("output exists") << QStringList{disc + "/dvd.iso", "1", "kept.vob"}
                                       << out.filePath("kept.vob") + " exists already; it is not overwritten";
    }
    void failuresAreSaidAndLeaveNoFile()
    {
        QFETCH(QStringList, arguments);
        QFile kept(out.filePath("kept.vob"));
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("mine") == 4);
        kept.close();
        arguments[2] = out.filePath(arguments[2]);
        const auto [code, progress, errors] = run(tarvik, arguments);
        QCOMPARE(code, 1);
        QTEST(DvdText::lastLine(errors).remove(0, 8), "reason"); // after "tarvik: "
        QVERIFY(!QFile::exists(out.filePath("new.vob")));
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == "mine");
    }

    // Title information that the library could not read, for bytes changed in both copies of a
    // title set's IFO, or for a folder the user may not read: said as such, never a crash.
    void damagedOrForbiddenDiscs_data()
    {
        QTest::addColumn<Flips>("flips"); // position in VTS_01_0.IFO and .BUP, xor
        QTest::addColumn<QString>("reason");
        QTest::addRow("program chain left out") << Flips{{4658, 96}} << "the title set of title 2 is damaged";
        QTest::addRow("cells left out") << Flips{{6531, 184}, {5653, 204}, {10721, 200}, {9722, 61},
                                                                  {4111, 192}, {2034, 156}, {9428, 32}, {404, 45}}
                                        << "the title set of title 1 is damaged";
        QTest::addRow("no permission") << Flips() << "you have no permission to read ";
    }
    void damagedOrForbiddenDiscs()
    {
        QFETCH(Flips, flips);
        QFETCH(QString, reason);
        QTemporaryDir copy;
        QVERIFY(QProcess::execute("cp", {"-r", disc + "/DVD", copy.filePath("DVD")}) == 0);
        const QString folder = copy.filePath("DVD/VIDEO_TS");
        for (const char* name : {"VTS_01_0.IFO", "VTS_01_0.BUP"}) {
            QFile ifo(folder + "/" + QLatin1String(name));
            QVERIFY(ifo.open(QIODevice::ReadWrite));
            QByteArray bytes = ifo.readAll();
            for (const auto& [position, mask] : flips)
                bytes[position] = char(bytes.at(position) ^ mask);
            QVERIFY(ifo.seek(0) && ifo.write(bytes) == bytes.size());
        }
        QString program = tarvik;
        QStringList arguments{copy.filePath("DVD")};
        if (flips.isEmpty()) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(copy.path(), QFile::permissions(copy.path()) | QFile::ReadOther | QFile::ExeOther);
            if (::geteuid() == 0) // root reads everything: the tool runs as nobody instead
                std::tie(program, arguments) = std::pair(
                    QString("setpriv"), QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", tarvik} + arguments);
        }
        // libdvdread keeps what it read of a table it then gave up on: no leak of ours to report.
        qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":detect_leaks=0");
        const auto [code, listing, errors] = run(program, arguments);
        QCOMPARE(code, 1);
        QVERIFY2(DvdText::lastLine(errors).startsWith("tarvik: " + reason), qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(TestTarvik)
#include "tst_tarvik.moc"
