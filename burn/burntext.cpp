#include "burn/burntext.h"

#include "platform/cdaudio.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace BurnText {

namespace {

class Message final {
    Q_DECLARE_TR_FUNCTIONS(BurnText)
};

// Surrounding white space is ignored; text that is not a number reads as 0.
double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

// The text after marker up to the next end (or to the end of the text); empty without the marker.
QString fieldAfter(const QString& text, QLatin1StringView marker, QChar end)
{
    const qsizetype start = text.indexOf(marker);
    if (start < 0)
        return {};
    const qsizetype from = start + marker.size();
    const qsizetype to = text.indexOf(end, from);
    return text.mid(from, to < 0 ? -1 : to - from).trimmed();
}

// A single-layer disc holds up to this many doubled free blocks (4.7 GB); more is dual layer.
constexpr quint64 singleLayerDoubledBlocks = 4595776;
constexpr int singleLayerSeconds = 7200;
constexpr int dualLayerSeconds = 12600;
// An 80-minute CD-R, the largest audio CD that every burner and player takes.
constexpr int audioCdSeconds = 80 * 60;

QString dvdTooSmall()
{
    return Message::tr("The disc is not large enough.\n\nA Single Layer disc can hold 2 hours of video\n"
                       "while a Dual Layer disc can hold 3.5 hours.");
}

} // namespace

std::optional<int> authoringProgress(const QString& chunk, qint64 totalBytes)
{
    const qsizetype percent = chunk.lastIndexOf(QLatin1Char('%'));
    if (percent >= 0) {
        // The ", " that opens the percentage, not one that a later line brings.
        const qsizetype from = chunk.lastIndexOf(QLatin1String(", "), percent);
        const double value = from < 0 ? 0.0 : number(chunk.mid(from + 2, percent - from - 2));
        if (value == 0.0)
            return std::nullopt;
        // Garbled output ("1e12%", a minus sign) must neither leave the pass's range nor overflow.
        return int(std::clamp(value, 0.0, 100.0) * 0.1 + 10.0);
    }
    const qsizetype at = chunk.lastIndexOf(QLatin1String(" at "));
    const qsizetype mb = chunk.lastIndexOf(QLatin1String("MB"));
    const double megabytes = at < 0 || mb < at ? 0.0 : number(chunk.mid(at + 4, mb - at - 4));
    if (megabytes == 0.0)
        return std::nullopt;
    // Below one whole MiB of input there is nothing to divide by: the first MiB fills the pass.
    const qint64 wholeMebibytes = std::max<qint64>(1, totalBytes / 1048576);
    return int(std::clamp(megabytes / double(wholeMebibytes) * 10.0, 0.0, 10.0));
}

WriterPoll writerPoll(const QString& chunk, const QDateTime& now)
{
    WriterPoll poll;
    const qsizetype done = chunk.lastIndexOf(QLatin1String("% done"));
    if (done >= 0) {
        const qsizetype from = std::max<qsizetype>(0, done - 6);
        const double percent = number(chunk.mid(from, done - from));
        if (percent != 0.0)
            poll.progress = int(std::trunc(std::clamp(percent, 0.0, 100.0)) * 0.8 + 20.0);
    }
    if (chunk.contains(QLatin1String("Total translation table size:"))) {
        poll.closing = true;
        return poll;
    }
    static constexpr QLatin1StringView finish("estimate finish ");
    const qsizetype at = chunk.lastIndexOf(finish);
    if (at < 0)
        return poll;
    // The writer prints the C library's date, whose day of the month is padded with a space
    // ("Dec  7"): collapsed, the single-space pattern reads every day of the month.
    const QString when = chunk.mid(at + finish.size(), 24).simplified();
    const QDateTime end = QLocale::c().toDateTime(when, QStringLiteral("ddd MMM d hh:mm:ss yyyy"));
    const qint64 seconds = end.isValid() ? now.secsTo(end) : 0;
    if (seconds > 0)
        poll.timeLeft = timeRemaining(seconds);
    return poll;
}

QString timeRemaining(qint64 seconds)
{
    return Message::tr("Time remaining: %1:%2 (approx.)")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

CdPoll cdPoll(const QString& chunk, int trackCount)
{
    CdPoll poll;
    const qsizetype total = chunk.indexOf(QLatin1String("Total size:"));
    if (total >= 0) {
        const qsizetype track = chunk.lastIndexOf(QLatin1String("Track "), total);
        const int count = track < 0 ? 0 : int(number(chunk.mid(track + 6, 2)));
        if (count > 0)
            poll.trackCount = count;
        return poll;
    }
    if (chunk.contains(QLatin1String("Fixating..."))) {
        poll.fixating = true;
        return poll;
    }
    poll.burning = true;
    const qsizetype track = chunk.lastIndexOf(QLatin1String("Track"));
    if (track < 0 || trackCount <= 0)
        return poll;
    const double current = number(chunk.mid(track + 6, 2));
    const double written = number(chunk.mid(track + 9, 5));
    const double size = number(chunk.mid(track + 17, 5));
    if (size > 0 && current > 0) {
        // Held to the track's size and to the tracks there are (track 1 at least: ".2" is a number
        // too), so that a garbled line can neither leave 0 to 99 % nor overflow.
        const double share = std::clamp(written, 0.0, size) / size * 99.0 / trackCount;
        poll.progress = int(double(int(share)) + 99.0 * (std::clamp(current, 1.0, double(trackCount)) - 1) / trackCount);
    }
    return poll;
}

MediaInfo mediaInfo(const QString& output)
{
    return {fieldAfter(output, QLatin1String("Disc status:"), QLatin1Char('\n')),
            fieldAfter(output, QLatin1String("Free Blocks:"), QLatin1Char('*')).toUInt(),
            fieldAfter(output, QLatin1String("Mounted Media:"), QLatin1Char('\n'))};
}

QString dvdDiscMessage(const QString& output, int totalSeconds)
{
    const MediaInfo info = mediaInfo(output);
    // A blank CD in the drive would pass as blank, and the burner would refuse it only after the
    // whole run had been converted and authored.
    const bool dvdMedia = info.media.contains(QLatin1String("DVD")) || info.media.contains(QLatin1String("BD-"));
    if (info.status != QLatin1String("blank") || !dvdMedia)
        return Message::tr("Please insert a blank DVD into the selected drive");
    const int limit = 2 * quint64(info.freeBlocks) <= singleLayerDoubledBlocks ? singleLayerSeconds : dualLayerSeconds;
    return totalSeconds > limit ? dvdTooSmall() : QString();
}

QString imageMessage(bool dvd, int totalSeconds)
{
    if (dvd)
        return totalSeconds > dualLayerSeconds ? dvdTooSmall() : QString();
    return totalSeconds > audioCdSeconds ? Message::tr("The disc is not large enough.\n\nAn audio CD can hold 80 minutes.")
                                         : QString();
}

QString cdDiscMessage(const QString& output, const QString& driveRoot, int totalSeconds)
{
    // A tool that printed nothing has not looked at the disc: letting that pass would spend a
    // disc that was never checked.
    if (output.trimmed().isEmpty())
        return Message::tr("Could not check the disc in drive %1.").arg(driveRoot);
    if (!output.contains(QLatin1String("DISC_STATUS")))
        return output;
    if (!output.contains(QLatin1String("DISC_STATUS=BLANK")))
        return Message::tr("The CD in drive %1 is not blank").arg(driveRoot);
    const qsizetype from = output.indexOf(QLatin1String("FREE_SECONDS")) + 13;
    const qsizetype to = output.lastIndexOf(QLatin1Char('\n'));
    const int freeSeconds = from < 13 || to < from ? 0 : output.mid(from, to - from).trimmed().toInt();
    if (totalSeconds < freeSeconds)
        return {};
    return Message::tr("The disc in drive %1 is not large enough.").arg(driveRoot);
}

QString discStatusReport(const QString& device, const QString& mediaInfoOutput)
{
    const MediaInfo info = mediaInfo(mediaInfoOutput);
    if (info.status.isEmpty())
        return Message::tr("There is no disc in drive %1.").arg(device) + QLatin1Char('\n');
    if (!info.media.contains(QLatin1String("CD-R")))
        return Message::tr("The disc in drive %1 is not a recordable CD.").arg(device) + QLatin1Char('\n');
    if (info.status != QLatin1String("blank"))
        return QStringLiteral("DISC_STATUS=NOT_BLANK\n");
    return QStringLiteral("DISC_STATUS=BLANK\nFREE_SECONDS=%1\n").arg(info.freeBlocks / CdAudio::framesPerSecond);
}

QStringList busScanLines(const QString& output)
{
    QStringList lines;
    for (QString line : output.split(QLatin1Char('\n'))) {
        // "b,t,u<tab>nnn) 'vendor' 'product' 'rev' kind": the address, then the identity quoted
        // field by field, which becomes "b,t,u [identity]".
        line = line.trimmed().remove(5, 5).remove(QLatin1String("' '"));
        const qsizetype open = line.indexOf(QLatin1Char('\''));
        if (open >= 0)
            line[open] = QLatin1Char('[');
        const qsizetype close = line.indexOf(QLatin1Char('\''));
        if (close >= 0)
            line[close] = QLatin1Char(']');
        line.truncate(line.lastIndexOf(QLatin1Char(']')) + 1);
        if (!line.contains(QLatin1Char(',')) || line.endsWith(QLatin1Char('*'))
            || line.endsWith(QLatin1String("HOST ADAPTOR")))
            continue;
        lines.append(line);
    }
    return lines;
}

namespace {

// The identity's three fields, each without its padding: run together as the drive pads them, an
// eight-letter vendor would read as one word with the product ("HL-DT-STDVDRAM").
QString burnEntryText(const Drives::OpticalDrive& drive)
{
    const QString& id = drive.identity;
    QStringList fields{id.mid(0, 8).trimmed(), id.mid(8, 16).trimmed(), id.mid(24, 4).trimmed()};
    fields.removeAll(QString());
    return drive.device + QStringLiteral(" [") + fields.join(QLatin1Char(' ')) + QLatin1Char(']');
}

} // namespace

QList<BurnDrive> dvdDrives(const QList<Drives::OpticalDrive>& drives)
{
    QList<BurnDrive> entries;
    for (const Drives::OpticalDrive& drive : drives)
        entries.append({burnEntryText(drive), drive.device, drive.device});
    return entries;
}

QList<BurnDrive> cdDrives(const QList<Drives::OpticalDrive>& drives, const QStringList& scanLines)
{
    QList<BurnDrive> entries;
    QList<Drives::OpticalDrive> unmatched = drives;
    QStringList unscanned;
    for (const QString& line : scanLines) {
        const QString identity = line.mid(7, 28);
        const auto match = std::find_if(unmatched.begin(), unmatched.end(), [&](const Drives::OpticalDrive& drive) {
            return drive.identity == identity;
        });
        if (match == unmatched.end()) {
            unscanned.append(line);
            continue;
        }
        entries.append({burnEntryText(*match), match->device, line.left(5)});
        unmatched.erase(match);
    }
    for (qsizetype i = 0; i < unmatched.size() && i < unscanned.size(); ++i)
        entries.append({burnEntryText(unmatched.at(i)), unmatched.at(i).device, unscanned.at(i).left(5)});
    return entries;
}

QString videoFormat(const QString& presetLabel)
{
    return presetLabel.split(QLatin1Char(' ')).constFirst() == QLatin1String("PAL") ? QStringLiteral("PAL")
                                                                                     : QStringLiteral("NTSC");
}

QString burnName(const QDateTime& created, const QString& suffix)
{
    return created.toUTC().toString(QStringLiteral("yyyyMMddhhmmsszzz")) + suffix;
}

QString volumeName(const QString& imagePath)
{
    static const QRegularExpression unfit(QStringLiteral("[^A-Z0-9_]"));
    const QString name = QFileInfo(imagePath).completeBaseName().toUpper().replace(unfit, QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("HALVORN") : name.left(32);
}

} // namespace BurnText
