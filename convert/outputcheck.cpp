#include "convert/outputcheck.h"

#include "convert/ffmpegtext.h"
#include "convert/fitsize.h"
#include "convert/mediaheader.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace OutputCheck {

namespace {

struct Evidence {
    const Job& job;
    const QString& output;
    const MediaHeader::Facts& made;
};

class Reason {
    Q_DECLARE_TR_FUNCTIONS(OutputCheck)
};

bool sourceHas(const Evidence& evidence, QLatin1String marker)
{
    return !FfmpegText::streamFields(evidence.job.report, evidence.job.input, marker).isEmpty();
}

QString present(const Evidence& evidence)
{
    const QFileInfo output(evidence.output);
    if (output.isFile())
        return {};
    return QFileInfo(output.absolutePath()).isDir() ? Reason::tr("The output file was removed during conversion")
                                                    : Reason::tr("The output folder no longer exists");
}

QString readable(const Evidence& evidence)
{
    if (evidence.made.video || evidence.made.audio)
        return {};
    if (evidence.made.error.isEmpty())
        return Reason::tr("The output cannot be read");
    return Reason::tr("The output cannot be read. FFmpeg said: %1").arg(evidence.made.error);
}

QString picture(const Evidence& evidence)
{
    const bool asked = sourceHas(evidence, QLatin1String("Video:")) && !evidence.job.args.contains(QLatin1String("-vn"));
    return asked && !evidence.made.video ? Reason::tr("The output has no picture, although the source has one") : QString();
}

QString sound(const Evidence& evidence)
{
    const bool asked = sourceHas(evidence, QLatin1String("Audio:")) && !evidence.job.args.contains(QLatin1String("-an"));
    return asked && !evidence.made.audio ? Reason::tr("The output has no sound, although the source has some") : QString();
}

QString length(const Evidence& evidence)
{
    // A duration FFmpeg only estimated proves nothing: a VBR MP3 without an index header that lasts
    // 23 s may be reported as 1:41, and its complete output would be taken for a short one.
    const Job& job = evidence.job;
    if (FfmpegText::trimsOutput(job.args) || FfmpegText::durationEstimated(job.report, job.input)
        || evidence.made.durationEstimated)
        return {};
    const qint64 source = FfmpegText::reportDurationMs(job.report, job.input);
    const qint64 made = evidence.made.durationMs;
    if (source <= 0 || made < 0 || double(made) >= double(source) * shortestShare)
        return {};
    return Reason::tr("The output is shorter than the source (%1 of %2): the source may be damaged or changed during "
                "conversion")
        .arg(FfmpegText::clockText(made), FfmpegText::clockText(source));
}

// Last, so that an output it finds too large holds everything else: a smaller encode may pass.
QString fits(const Evidence& evidence)
{
    const qint64 limit = evidence.job.sizeLimit;
    const qint64 size = QFileInfo(evidence.output).size();
    if (limit <= 0 || size <= limit)
        return {};
    return Reason::tr("The output takes %1, more than the %2 it must fit in")
        .arg(FitSize::sizeText(size), FitSize::sizeText(limit));
}

using Check = QString (*)(const Evidence&);
constexpr Check checks[] = {present, readable, picture, sound, length, fits};

} // namespace

Verdict judge(const Job& job, const QString& output)
{
    const MediaHeader::Facts made = MediaHeader::read(output);
    const Evidence evidence{job, output, made};
    for (const Check check : checks) {
        const QString reason = check(evidence);
        if (!reason.isEmpty())
            return {reason, check == fits};
    }
    return {};
}

} // namespace OutputCheck
