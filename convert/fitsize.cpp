#include "convert/fitsize.h"

#include "convert/ffmpegtext.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace FitSize {

namespace {

class Text {
    Q_DECLARE_TR_FUNCTIONS(FitSize)
};

// The share of the target left free: two-pass H.264 lands within about 2 % of its bitrate, AAC
// within 2 % of its own; what still misses is encoded again.
constexpr double margin = 0.03;
// What MP4 adds to the streams, measured on H.264 with B-frames and AAC interleaved: a few
// kilobytes of headers, and per sample its size, time offset and chunk entries.
constexpr double fixedOverhead = 4000;
constexpr double bytesPerFrame = 20;
constexpr double bytesPerAudioFrame = 12;
constexpr double audioFramesPerSecond = 48000.0 / 1024;
// A terabyte: beyond any limit a service sets, so a slip of the keyboard.
constexpr double largestMegabytes = 1e6;

// The picture sizes, by their shorter side, from the largest down. A size is taken when its
// bitrate gives each pixel at least goodBitsPerPixel (H.264 looks clean there on most pictures);
// the smallest down to leastBitsPerPixel, under which a picture falls apart into blocks.
constexpr int shorterSides[] = {1080, 720, 540, 360};
constexpr double goodBitsPerPixel = 0.05;
constexpr double leastBitsPerPixel = 0.01;
// Frame rates beyond this are the clock of a timestamp, not pictures.
constexpr double highestFrameRate = 120;

struct SoundStep {
    int bitrate;
    int channels;
};
// From the best down to the least sound that still carries speech well.
constexpr SoundStep soundSteps[] = {{128000, 2}, {96000, 2}, {64000, 2}, {48000, 1}};
// The sound's share of the bitrate, at most, while the picture needs the rest.
constexpr double soundShare = 0.2;

QString valueAfter(const QStringList& args, const QString& option)
{
    const qsizetype at = args.indexOf(option);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

QStringList without(const QStringList& args, const QStringList& options)
{
    QStringList kept;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (options.contains(args.at(i)))
            ++i;
        else
            kept.append(args.at(i));
    }
    return kept;
}

// "14M", "768k" or "2000000", in bit/s; 0 when unreadable.
double bitrateOf(const QString& text)
{
    const QChar unit = text.isEmpty() ? QChar() : text.back().toLower();
    const double scale = unit == QLatin1Char('k') ? 1e3 : unit == QLatin1Char('m') ? 1e6 : 1;
    return (scale > 1 ? text.chopped(1) : text).toDouble() * scale;
}

QSize frameOf(const QString& text)
{
    return {text.section(QLatin1Char('x'), 0, 0).toInt(), text.section(QLatin1Char('x'), 1, 1).toInt()};
}

int even(double side)
{
    return std::max(2, 2 * int(std::lround(side / 2)));
}

double pixels(QSize frame)
{
    return double(frame.width()) * frame.height();
}

// The sizes the picture may take, from the largest down: the source's shape at each shorter side,
// never larger than the source, nor than the preset's own frame (fitted to that shape) if it has one.
QList<QSize> framesFor(const QString& sourceSize, const QString& presetFrame)
{
    const QSize source = frameOf(sourceSize);
    const QSize box = presetFrame.isEmpty() ? QSize() : frameOf(FfmpegText::fitFrameSize(sourceSize, presetFrame));
    QList<QSize> frames;
    if (source.isEmpty())
        return frames;
    for (const int side : shorterSides) {
        const double scale = std::min(1.0, double(side) / std::min(source.width(), source.height()));
        QSize frame(even(source.width() * scale), even(source.height() * scale));
        if (box.isValid() && !box.isEmpty() && (frame.width() > box.width() || frame.height() > box.height()))
            frame = box;
        if (!frames.contains(frame))
            frames.append(frame);
    }
    return frames;
}

SoundStep soundFor(const SoundStep& step, int sourceChannels)
{
    if (sourceChannels != 1 || step.channels == 1)
        return step;
    return {std::max(soundSteps[std::size(soundSteps) - 1].bitrate, step.bitrate / 2), 1};
}

QString frameText(QSize frame)
{
    return QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height());
}

QString tooLong(const Plan& plan, QSize least, bool sound, double fittingSeconds)
{
    const QString target = sizeText(plan.targetBytes);
    const QString fits = FfmpegText::clockText(qint64(std::max(0.0, fittingSeconds) * 1000));
    const QString lasts = FfmpegText::clockText(qint64(plan.seconds * 1000));
    if (least.isEmpty())
        return Text::tr("%1 is too small for this source: even as mono sound it holds only %2, and the source lasts %3")
            .arg(target, fits, lasts);
    if (!sound)
        return Text::tr("%1 is too small for this source: even with the smallest picture (%2) it holds only %3, and "
                        "the source lasts %4").arg(target, frameText(least), fits, lasts);
    return Text::tr("%1 is too small for this source: even with the smallest picture (%2) and mono sound it holds "
                    "only %3, and the source lasts %4").arg(target, frameText(least), fits, lasts);
}

} // namespace

bool isFitJob(const QStringList& args)
{
    return args.contains(QLatin1String(sizeOption));
}

Plan plan(const QStringList& args, const MediaHeader::Facts& source)
{
    Plan plan;
    const QString typed = valueAfter(args, QLatin1String(sizeOption));
    bool number = false;
    const double megabytes = typed.toDouble(&number);
    if (!number || !(megabytes > 0) || megabytes > largestMegabytes) {
        plan.refusal = Text::tr("The size to fit in must be a number of MB above 0, not \"%1\"").arg(typed);
        return plan;
    }
    plan.targetBytes = qint64(std::floor(megabytes * bytesPerMegabyte));
    if (!source.error.isEmpty()) {
        plan.refusal = Text::tr("The source cannot be read. FFmpeg said: %1").arg(source.error);
        return plan;
    }
    if (source.durationMs <= 0) {
        plan.refusal = Text::tr("The source's length is unknown, so no size can be planned for it");
        return plan;
    }
    plan.seconds = double(source.durationMs) / 1000;
    const bool sound = source.audio && !args.contains(QLatin1String("-an"));
    const bool picture = source.video && !args.contains(QLatin1String("-vn"));
    const QList<QSize> frames = picture ? framesFor(source.frameSize, valueAfter(args, QStringLiteral("-s"))) : QList<QSize>();
    if (picture && frames.isEmpty()) {
        plan.refusal = Text::tr("The source's picture size is unknown, so no size can be planned for it");
        return plan;
    }
    const double frameRate = std::clamp(source.frameRate > 0 ? source.frameRate : 30.0, 1.0, highestFrameRate);

    const double perSecond = (frames.isEmpty() ? 0 : frameRate * bytesPerFrame)
                           + (sound ? audioFramesPerSecond * bytesPerAudioFrame : 0);
    plan.overheadBytes = qint64(fixedOverhead + plan.seconds * perSecond);
    // What the streams may take, in bit/s.
    const double streams = (double(plan.targetBytes) * (1 - margin) - double(plan.overheadBytes)) * 8 / plan.seconds;

    const double leastVideo = frames.isEmpty() ? 0 : leastBitsPerPixel * pixels(frames.last()) * frameRate;
    const SoundStep leastSound = soundSteps[std::size(soundSteps) - 1];
    const double leastAudio = sound ? leastSound.bitrate : 0;
    if (streams < leastVideo + leastAudio) {
        const double leastPerSecond = (leastVideo + leastAudio) / 8 + perSecond;
        const double fitting = (double(plan.targetBytes) * (1 - margin) - fixedOverhead) / leastPerSecond;
        plan.refusal = tooLong(plan, frames.isEmpty() ? QSize() : frames.last(), sound, fitting);
        return plan;
    }
    if (sound) {
        SoundStep chosen = soundFor(leastSound, source.audioChannels);
        for (const SoundStep& step : soundSteps) {
            const SoundStep candidate = soundFor(step, source.audioChannels);
            const bool fair = frames.isEmpty() ? candidate.bitrate <= streams
                                               : candidate.bitrate <= soundShare * streams
                                                     && streams - candidate.bitrate >= leastVideo;
            if (fair) {
                chosen = candidate;
                break;
            }
        }
        plan.audioBitrate = chosen.bitrate;
        plan.channels = chosen.channels;
    }
    if (!frames.isEmpty()) {
        const double video = streams - plan.audioBitrate;
        const auto good = std::find_if(frames.cbegin(), frames.cend(), [&](QSize frame) {
            return video / (pixels(frame) * frameRate) >= goodBitsPerPixel;
        });
        plan.frame = good == frames.cend() ? frames.last() : *good;
        // A device's ceiling holds, even when the file then stays smaller than it might.
        const double ceiling = bitrateOf(valueAfter(args, QStringLiteral("-maxrate")));
        plan.videoBitrate = qint64(ceiling > 0 ? std::min(video, ceiling) : video);
    }
    return plan;
}

Plan corrected(const Plan& plan, qint64 madeBytes)
{
    Plan next = plan;
    const double soundBytes = plan.twoPass() ? double(plan.audioBitrate) * plan.seconds / 8 : 0;
    const double fixed = double(plan.overheadBytes) + soundBytes;
    const double wanted = double(plan.targetBytes) * (1 - margin);
    // Estimates that leave nothing to scale fall back to scaling the whole file.
    const double scale = double(madeBytes) > fixed && wanted > fixed ? (wanted - fixed) / (double(madeBytes) - fixed)
                                                                     : wanted / double(madeBytes);
    if (plan.twoPass())
        next.videoBitrate = std::max<qint64>(1000, qint64(double(plan.videoBitrate) * scale));
    else
        next.audioBitrate = std::max(8000, int(plan.audioBitrate * scale));
    return next;
}

QStringList passArguments(const QStringList& args, const Plan& plan, int pass, const QString& passLog)
{
    QStringList planned = {QLatin1String(sizeOption), QStringLiteral("-s"), QStringLiteral("-crf"),
                           QStringLiteral("-b:v"), QStringLiteral("-b:a"), QStringLiteral("-ac"),
                           QStringLiteral("-pass"), QStringLiteral("-passlogfile")};
    if (pass == 1)
        planned.append(QStringLiteral("-f"));
    QStringList options = without(args, planned);
    const auto kbit = [](qint64 bitrate) { return QStringLiteral("%1k").arg(std::max<qint64>(1, (bitrate + 500) / 1000)); };
    if (plan.twoPass()) {
        options << QStringLiteral("-s") << frameText(plan.frame) << QStringLiteral("-b:v") << kbit(plan.videoBitrate)
                << QStringLiteral("-pass") << QString::number(pass) << QStringLiteral("-passlogfile") << passLog;
    }
    if (pass == 1)
        options << QStringLiteral("-an") << QStringLiteral("-f") << QStringLiteral("null");
    else if (plan.audioBitrate > 0)
        options << QStringLiteral("-b:a") << kbit(plan.audioBitrate) << QStringLiteral("-ac") << QString::number(plan.channels);
    return options;
}

double progressShare(int encode, int pass, double passDone)
{
    // The first pass of x264 runs in about two thirds of the time of the second.
    constexpr double firstPassShare = 0.4;
    constexpr double firstEncodeShare = 0.9;
    constexpr double reencodeShare = 0.7;
    const double done = std::clamp(passDone, 0.0, 1.0);
    double from = 0;
    double span = firstEncodeShare;
    for (int k = 1; k <= encode; ++k) {
        from += span;
        span = (1 - from) * reencodeShare;
    }
    if (pass == 1)
        return from + span * firstPassShare * done;
    if (pass == 2 && encode == 0)
        return from + span * (firstPassShare + (1 - firstPassShare) * done);
    return from + span * done;
}

QString sizeText(qint64 bytes)
{
    QString number = QString::number(double(bytes) / bytesPerMegabyte, 'f', 3);
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return Text::tr("%1 MB").arg(number);
}

QString megabytesOf(const QString& ffmpegArgs)
{
    return valueAfter(ffmpegArgs.split(QLatin1Char(' ')), QLatin1String(sizeOption));
}

QString withSize(const QString& ffmpegArgs, const QString& megabytes)
{
    QStringList tokens = ffmpegArgs.split(QLatin1Char(' '));
    const qsizetype at = tokens.indexOf(QLatin1String(sizeOption));
    if (at < 0)
        return QLatin1String(sizeOption) + QLatin1Char(' ') + megabytes.trimmed() + QLatin1Char(' ') + ffmpegArgs;
    if (at + 1 < tokens.size())
        tokens[at + 1] = megabytes.trimmed();
    else
        tokens.append(megabytes.trimmed());
    return tokens.join(QLatin1Char(' '));
}

QString unsupportedBecause(const QString& ffmpegArgs)
{
    const QStringList tokens = ffmpegArgs.split(QLatin1Char(' '));
    if (isFitJob(tokens) || valueAfter(tokens, QStringLiteral("-c:v")) == QLatin1String("libx264"))
        return {};
    return Text::tr("only presets that encode H.264 pictures (libx264) can be fitted to a size");
}

} // namespace FitSize
