#include "convert/fitsize.h"

#include <QtTest>

namespace {

const QString fitPreset = "-c:v libx264 -preset fast -pix_fmt yuv420p -c:a aac -movflags +faststart";

// "1920x1080@30 60s 2ch": a source's picture (none when it starts with "-"), length and sound.
MediaHeader::Facts source(const QString& description)
{
    const QStringList parts = description.split(' ');
    MediaHeader::Facts facts;
    facts.video = !parts.at(0).startsWith('-');
    facts.frameSize = facts.video ? parts.at(0).section('@', 0, 0) : QString();
    facts.frameRate = parts.at(0).section('@', 1).toDouble();
    facts.durationMs = qint64(parts.at(1).chopped(1).toDouble() * 1000);
    facts.audioChannels = parts.value(2).chopped(2).toInt();
    facts.audio = facts.audioChannels > 0;
    return facts;
}

QString describe(const FitSize::Plan& plan)
{
    if (!plan.refusal.isEmpty())
        return plan.refusal;
    const QString picture = plan.twoPass() ? QString("%1x%2").arg(plan.frame.width()).arg(plan.frame.height()) : "no picture";
    return QString("%1 %2k/%3").arg(picture).arg(plan.audioBitrate / 1000).arg(plan.channels);
}

} // namespace

class TestFitSize : public QObject {
    Q_OBJECT

private slots:
    // The picture steps down through 1080p, 720p, 540p and 360p as the bits per pixel fall, never
    // above the source or the preset's frame; the sound from stereo 128k down to mono 48k.
    void thePlanFollowsTheBudget_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("plan");
        QTest::addRow("50 MB a minute: 1080p") << "-fit-size 50" << "1920x1080@30 60s 2ch" << "1920x1080 128k/2";
        QTest::addRow("25 MB in two minutes: 720p") << "-fit-size 25" << "1920x1080@30 120s 2ch" << "1280x720 128k/2";
        QTest::addRow("8 MB a minute: 540p") << "-fit-size 8" << "1920x1080@30 60s 2ch" << "960x540 128k/2";
        QTest::addRow("five minutes: 360p, mono 48k") << "-fit-size 8" << "1920x1080@30 300s 2ch" << "640x360 48k/1";
        QTest::addRow("a tall picture by its shorter side") << "-fit-size 25" << "1080x1920@30 120s 2ch" << "720x1280 128k/2";
        QTest::addRow("never above the source") << "-fit-size 100" << "640x480@25 10s 2ch" << "640x480 128k/2";
        QTest::addRow("mono stays mono") << "-fit-size 8" << "1280x720@25 60s 1ch" << "960x540 64k/1";
        QTest::addRow("no sound") << "-fit-size 2.5" << "1280x720@25 20s" << "960x540 0k/0";
        QTest::addRow("sound alone, in one pass") << "-fit-size 1" << "- 60s 2ch" << "no picture 96k/2";
        QTest::addRow("within a device's frame and ceiling") << "-fit-size 100 -s 640x480 -maxrate 1500k" << "1920x1080@30 10s 2ch"
                                                       << "640x360 128k/2 1500k";
        QTest::addRow("a film into 8 MB") << "-fit-size 8" << "1920x1080@30 7200s 2ch"
                                          << "8 MB is too small for this source: even with the smallest picture (640x360) and "
                                             "mono sound it holds only 8:11, and the source lasts 2:00:00";
        QTest::addRow("a long speech into 0.2 MB") << "-fit-size 0.2" << "- 60s 2ch"
                                                   << "0.2 MB is too small for this source: even as mono sound it holds only "
                                                      "0:29, and the source lasts 1:00";
        QTest::addRow("no size") << "-fit-size 0" << "640x480@25 10s 2ch" << "The size to fit in must be a number of MB above 0, not \"0\"";
        QTest::addRow("no length") << "-fit-size 8" << "640x480@25 0s 2ch" << "The source's length is unknown, so no size can be planned for it";
    }
    void thePlanFollowsTheBudget()
    {
        QFETCH(QString, args);
        QFETCH(QString, source);
        const FitSize::Plan plan = FitSize::plan((args + ' ' + fitPreset).split(' '), ::source(source));
        QString planned = describe(plan);
        if (args.contains("-maxrate"))
            planned += QString(" %1k").arg(plan.videoBitrate / 1000);
        QTEST(planned, "plan");
    }

    // The passes' options: the first measures the picture and writes nothing, the second encodes
    // both streams at the planned bitrates; what the preset planned itself gives way.
    void thePassesOfAPlan()
    {
        const QStringList args = ("-fit-size 8 -s 1280x720 -crf 21 " + fitPreset + " -b:a 160k -ac 2").split(' ');
        const FitSize::Plan plan = FitSize::plan(args, source("1920x1080@30 60s 2ch"));
        QCOMPARE(FitSize::passArguments(args, plan, 1, "/tmp/p x").join(' '),
                 fitPreset + " -s 960x540 -b:v 897k -pass 1 -passlogfile /tmp/p x -an -f null");
        QCOMPARE(FitSize::passArguments(args, plan, 2, "/tmp/p x").join(' '),
                 fitPreset + " -s 960x540 -b:v 897k -pass 2 -passlogfile /tmp/p x -b:a 128k -ac 2");
    }

    // Whatever an encoder's drift from the bitrate asked of it, the next encode at the corrected
    // bitrate lands within the target, its margin kept.
    void aMissScalesTheNextEncodeDown_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<double>("drift");
        QTest::addRow("a little") << "1920x1080@30 60s 2ch" << 1.04;
        QTest::addRow("a fifth") << "1920x1080@30 60s 2ch" << 1.2;
        QTest::addRow("three times") << "640x360@25 20s 2ch" << 3.0;
        QTest::addRow("sound alone") << "- 60s 2ch" << 1.1;
    }
    void aMissScalesTheNextEncodeDown()
    {
        QFETCH(QString, source);
        QFETCH(double, drift);
        const auto made = [drift](const FitSize::Plan& p) {
            const double flexible = p.twoPass() ? double(p.videoBitrate) : p.audioBitrate;
            const double fixed = p.twoPass() ? p.audioBitrate : 0;
            return double(p.overheadBytes) + (flexible * drift + fixed) * p.seconds / 8;
        };
        const FitSize::Plan plan = FitSize::plan(("-fit-size 8 " + fitPreset).split(' '), ::source(source));
        const FitSize::Plan next = FitSize::corrected(plan, qint64(made(plan)));
        QVERIFY2(made(next) <= double(plan.targetBytes) * 0.97 + 1, qPrintable(QString::number(made(next))));
        QCOMPARE(next.frame, plan.frame);
    }

    // One bar over both passes and every re-encode: it never goes back, and the second pass goes
    // on from where the first ended.
    void progressMovesOneBarForward()
    {
        const QList<std::array<double, 3>> reports = {{0, 1, 0},   {0, 1, 0.5}, {0, 1, 1}, {0, 2, 0}, {0, 2, 0.5},
                                                      {0, 2, 1},   {1, 2, 0},   {1, 2, 1}, {2, 2, 0}, {2, 2, 1}};
        double last = -1;
        for (const auto& [encode, pass, done] : reports) {
            const double share = FitSize::progressShare(int(encode), int(pass), done);
            QVERIFY2(share >= last && share <= 1, qPrintable(QString("%1 %2 %3: %4").arg(encode).arg(pass).arg(done).arg(share)));
            last = share;
        }
        QCOMPARE(FitSize::progressShare(0, 1, 0), 0.0);
        QVERIFY(FitSize::progressShare(0, 2, 0) > 0.3);
        QVERIFY(FitSize::progressShare(0, 0, 0.5) > 0.4); // sound alone: one pass, the whole bar
    }

    void theSizeInTheArguments_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("sized");
        QTest::addRow("a fit preset") << "-fit-size 8 -c:v libx264" << "-fit-size 12.5 -c:v libx264";
        QTest::addRow("an H.264 preset") << "-s 320x240 -c:v libx264" << "-fit-size 12.5 -s 320x240 -c:v libx264";
    }
    void theSizeInTheArguments()
    {
        QFETCH(QString, args);
        QFETCH(QString, sized);
        QCOMPARE(FitSize::withSize(args, "12.5"), sized);
        QCOMPARE(FitSize::megabytesOf(sized), "12.5");
        QCOMPARE(FitSize::unsupportedBecause(args), "");
        QVERIFY(!FitSize::unsupportedBecause("-s 320x240 -c:v libvpx-vp9").isEmpty());
        QCOMPARE(FitSize::sizeText(8420000), "8.42 MB");
    }
};

QTEST_GUILESS_MAIN(TestFitSize)
#include "tst_fitsize.moc"
