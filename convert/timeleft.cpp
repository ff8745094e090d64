#include "convert/timeleft.h"

#include "convert/ffmpegtext.h"

#include <cmath>

void TimeLeft::begin(const QString& kind, qint64 nowMs)
{
    runningKind = kind;
    runningSince = nowMs;
    runningDone = 0;
    firstReportAt = -1;
    running = {};
}

void TimeLeft::progress(double mediaSeconds, qint64 nowMs)
{
    if (runningKind.isEmpty())
        return;
    if (firstReportAt < 0) {
        firstReportAt = nowMs;
        firstReportDone = mediaSeconds;
    }
    runningDone = mediaSeconds;
    running = {mediaSeconds - firstReportDone, double(nowMs - firstReportAt) / 1000};
}

void TimeLeft::end(qint64 nowMs, bool counts)
{
    if (runningKind.isEmpty())
        return;
    if (counts) {
        Work& kind = done[runningKind];
        kind.media += runningDone;
        kind.seconds += double(nowMs - runningSince) / 1000;
    }
    runningKind.clear();
}

TimeLeft::Work TimeLeft::measured(const QString& kind) const
{
    Work work = done.value(kind);
    if (kind == runningKind) {
        work.media += running.media;
        work.seconds += running.seconds;
    }
    return work;
}

double TimeLeft::secondsLeft(const QHash<QString, double>& mediaLeft) const
{
    double seconds = 0;
    for (auto kind = mediaLeft.cbegin(); kind != mediaLeft.cend(); ++kind) {
        const double left = kind.value() - (kind.key() == runningKind ? runningDone : 0);
        if (left <= 0)
            continue;
        const Work work = measured(kind.key());
        if (work.media <= 0 || work.seconds <= 0)
            return -1;
        seconds += left * work.seconds / work.media;
    }
    return seconds;
}

QHash<QString, double> TimeLeft::mediaLeft(const QString& ffmpegArgs, const QStringList& unfinished)
{
    QHash<QString, double> media;
    for (qsizetype at = 0; at + 3 <= unfinished.size(); at += 3) {
        const QString& source = unfinished.at(at);
        if (source.startsWith(QLatin1String("burn_")))
            media[burnKind(source.mid(5))] += burnLength;
        else
            media[conversionKind(ffmpegArgs, unfinished.at(at + 1).section(QLatin1Char(' '), 0, 0))] +=
                FfmpegText::durationSeconds(unfinished.at(at + 2));
    }
    return media;
}

QString TimeLeft::conversionKind(const QString& ffmpegArgs, const QString& sourceSize)
{
    // Sound alone goes many times faster than a picture with the same preset.
    const bool picture = !sourceSize.isEmpty()
                      && !FfmpegText::assembleArguments(ffmpegArgs, sourceSize).contains(QLatin1String("-vn"));
    return (picture ? QStringLiteral("picture: ") : QStringLiteral("sound: ")) + ffmpegArgs;
}

QString TimeLeft::burnKind(const QString& discType)
{
    return QStringLiteral("burn: ") + discType;
}

QString TimeLeft::text(double seconds)
{
    if (seconds < 0)
        return {};
    // Steps that keep the rounding well below the estimate's own error.
    if (seconds < 57.5)
        return tr("About %1 s left").arg(std::max(5, int(std::lround(seconds / 5)) * 5));
    if (seconds < 295) {
        const long tens = std::lround(seconds / 10);
        return tens % 6 == 0 ? tr("About %1 min left").arg(tens / 6)
                             : tr("About %1 min %2 s left").arg(tens / 6).arg(tens % 6 * 10);
    }
    const long minutes = std::lround(seconds / 60);
    if (minutes < 60)
        return tr("About %1 min left").arg(minutes);
    return tr("About %1 h %2 min left").arg(minutes / 60).arg(minutes % 60);
}
