#include "convert/fitsize.h"

#include <QtTest>

#include <array>
#include <tuple>

namespace {

const QString fitPreset = "-c:v libx264 -preset fast -pix_fmt yuv420p -c:a aac -movflags +faststart";

// "1920x1080@30 60s 2ch": a source's picture ("-": none), length and sound.
MediaHeader::Facts source(const QString& description)
{
    const QStringList parts = description.split(' ');
    const int channels = parts.value(2).chopped(2).toInt();
    return {.error = {}, .video = parts.at(0) != "-", .audio = channels > 0, .frameSize = parts.at(0).section('@', 0, 0),
            .frameRate = parts.at(0).section('@', 1).toDouble(), .audioChannels = channels,
            .durationMs = qint64(parts.at(1).chopped(1).toDouble() * 1000), .durationEstimated = false};
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
        QTest::addRow("sound alone, in one pass") << "-fit-size 1" << "- 60s 2ch" << "96k/2";
        QTest::addRow("within a device's frame and ceiling") << "-fit-size 100 -s 640x480 -maxrate 1500k" << "1920x1080@30 10s 2ch"
                                                       << "640x360 128k/2 1500k";
        QTest::addRow("a film into 8 MB") << "-fit-size 8" << "1920x1080@30 7200s 2ch"
                                          << "8 MB is too small for this source: even with the smallest picture (640x360) and "
                                             "mono sound it holds only 8:11, and the source lasts 2:00:00";
        QTest::addRow("no size") << "-fit-size 0" << "640x480@25 10s 2ch" << "The size to fit in must be a number of MB above 0, not \"0\"";
    }
    void thePlanFollowsTheBudget()
    {
        QFETCH(QString, args);
        QFETCH(QString, source);
        const FitSize::Plan plan = FitSize::plan((args + ' ' + fitPreset).split(' '), ::source(source));
        const QString frame = plan.twoPass() ? QString("%1x%2 ").arg(plan.frame.width()).arg(plan.frame.height()) : "";
        const QString ceiling = args.contains("-maxrate") ? QString(" %1k").arg(plan.videoBitrate / 1000) : "";
        QTEST(plan.refusal.isEmpty() ? frame + QString("%1k/%2").arg(plan.audioBitrate / 1000).arg(plan.channels) + ceiling
                                     : plan.refusal, "plan");
    }

    // The first pass measures the picture and writes nothing; what the preset planned itself gives way.
    void thePassesOfAPlan()
    {
        const QStringList args = ("-fit-size 8 -s 1280x720 -crf 21 " + fitPreset + " -b:a 160k -ac 2").split(' ');
        const FitSize::Plan plan = FitSize::plan(args, source("1920x1080@30 60s 2ch"));
        QCOMPARE(FitSize::passArguments(args, plan, 1, "/p x").join(' '), fitPreset + " -s 960x540 -b:v 897k -pass 1 -passlogfile /p x -an -f null");
        QCOMPARE(FitSize::passArguments(args, plan, 2, "/p x").join(' '), fitPreset + " -s 960x540 -b:v 897k -pass 2 -passlogfile /p x -b:a 128k -ac 2");
    }

    // One bar over both passes and every re-encode: it never goes back, nor starts again at pass 2.
    void progressMovesOneBarForward()
    {
        double last = 0;
        for (const auto& [encode, pass, done] : std::array<std::tuple<int, int, double>, 7>{
                 {{0, 1, 0.5}, {0, 1, 1}, {0, 2, 0}, {0, 2, 1}, {1, 2, 0}, {1, 2, 1}, {2, 2, 1}}}) {
            QVERIFY(FitSize::progressShare(encode, pass, done) >= last);
            last = FitSize::progressShare(encode, pass, done);
        }
        QVERIFY(last <= 1 && FitSize::progressShare(0, 0, 0.5) > 0.4); // sound alone: one pass, the whole bar
    }
};

QTEST_GUILESS_MAIN(TestFitSize)
#include "tst_fitsize.moc"
