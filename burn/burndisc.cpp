#include "burn/burndisc.h"

#include "burn/burntext.h"
#include "burn/imagefile.h"
#include "discimage/cuesheet.h"
#include "discimage/wavefile.h"
#include "platform/cdaudio.h"
#include "platform/filetime.h"
#include "platform/tools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <memory>
#include <vector>

namespace {

constexpr int writerPollMs = 1000;
constexpr int cdFirstWaitMs = 30000;
constexpr int cdPollMs = 500;
constexpr int dvdAttempts = 3;

// Renames the folder's files of the suffix to their creation times, so that name order is creation
// order, and lists them in that order. A file that cannot be read or renamed keeps its name.
QStringList inCreationOrder(const QString& folder, const QString& suffix)
{
    const QDir dir(folder);
    const QStringList filter{QLatin1Char('*') + suffix};
    for (const QString& name : dir.entryList(filter, QDir::Files, QDir::Name)) {
        const QDateTime created = FileTime::created(dir.filePath(name));
        const QString renamed = created.isValid() ? BurnText::burnName(created, suffix) : name;
        if (renamed != name)
            QDir(folder).rename(name, renamed);
    }
    return dir.entryList(filter, QDir::Files, QDir::Name);
}

// How a tool ended, for the run log: its exit code, or that it crashed.
QString exitText(const QProcess& tool)
{
    return tool.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed") : QString::number(tool.exitCode());
}

} // namespace

BurnDisc::BurnDisc(QObject* parent)
    : QThread(parent)
{
    startLimit.setSingleShot(true);
    connect(this, &QThread::finished, this, [this] {
        if (!waitingJob)
            return;
        startLimit.stop();
        std::exchange(waitingJob, {})();
    });
    connect(&startLimit, &QTimer::timeout, this, [this] {
        waitingJob = {};
        report({false, tr("The burn could not start: the one before it has not ended.")});
    });
}

BurnDisc::~BurnDisc()
{
    stop();
}

void BurnDisc::setJob(const QString& discType, const QString& drive, const QString& workFolder,
                      const QString& videoFormat)
{
    this->discType = discType;
    this->drive = drive;
    this->workFolder = workFolder;
    this->videoFormat = videoFormat;
}

void BurnDisc::startJob(const QString& discType, const QString& drive, const QString& workFolder,
                        const QString& videoFormat)
{
    const auto begin = [=, this] {
        setJob(discType, drive, workFolder, videoFormat);
        start(QThread::InheritPriority);
    };
    if (!isRunning()) {
        begin();
        return;
    }
    // The queue asks for a burn once the one before has reported its end, and waits for an answer:
    // it gets one, also when that thread does not end in time or a burn is already waiting.
    if (waitingJob) {
        report({false, tr("The burn could not start: another one is waiting to.")});
        return;
    }
    waitingJob = begin;
    startLimit.start(startLimitMs);
}

void BurnDisc::stop()
{
    startLimit.stop();
    waitingJob = {};
    requestInterruption();
    wait();
}

bool BurnDisc::isImage() const
{
    const bool dvd = discType == QLatin1String("dvd");
    return drive.endsWith(dvd ? QLatin1String(".iso") : QLatin1String(".cue"), Qt::CaseInsensitive);
}

void BurnDisc::writeLog(const QString& text)
{
    LogFile::appendRunLog(text);
}

void BurnDisc::logOutput(const QString& chunk)
{
    // A tool that said nothing since the last poll adds no blank line.
    if (!chunk.trimmed().isEmpty())
        toolLog->append(chunk);
}

void BurnDisc::writeAuthoringFile()
{
    const QStringList files = inCreationOrder(workFolder, QStringLiteral(".mpg"));
    QFile file(workFolder + QStringLiteral("/halvorn.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return; // the authoring then fails, and the job with it
    // Paths go into attribute values: a folder or file named with "&", "<" or a quote would
    // otherwise break the file.
    const auto attribute = [](const QString& path) { return path.toHtmlEscaped(); };
    QTextStream out(&file);
    out << "<dvdauthor dest=\"" << attribute(workFolder + QStringLiteral("/DVD")) << "\">\n"
        << "\t<vmgm>\n"
        << "\t\t<menus lang=\"en\">\n"
        << "\t\t\t<video format=\"" << videoFormat.toLower() << "\" widescreen=\"nopanscan\" />\n"
        << "\t\t</menus>\n"
        << "\t</vmgm>\n"
        << "\t<titleset>\n"
        << "\t\t<titles>\n"
        << "\t\t\t<pgc>\n";
    for (const QString& name : files) {
        const QString path = workFolder + QLatin1Char('/') + name;
        totalBytes += QFileInfo(path).size();
        out << "\t\t\t\t<vob file=\"" << attribute(path) << "\" />\n";
    }
    out << "\t\t\t</pgc>\n"
        << "\t\t</titles>\n"
        << "\t</titleset>\n"
        << "</dvdauthor>";
}

void BurnDisc::run()
{
    toolLog.emplace();
    const Outcome outcome = discType == QLatin1String("dvd") ? dvdJob() : cdJob();
    toolLog->finish();
    report(outcome);
}

void BurnDisc::report(const Outcome& outcome)
{
    if (isImage()) {
        emit burnEstTime(outcome.ok ? tr("Image complete") : tr("Image failed"));
        emit textStatus(outcome.ok ? tr("Image Complete") : tr("Image Failed"));
    } else {
        emit burnEstTime(outcome.ok ? tr("Burn complete") : tr("Burn failed"));
        emit textStatus(outcome.ok ? tr("Burn Complete") : tr("Burn Failed"));
    }
    if (!outcome.ok)
        writeLog(outcome.reason);
    emit burnComplete(outcome.ok, QString(), outcome.reason);
}

bool BurnDisc::startTool(QProcess& tool, const QString& name, const QStringList& arguments, Tools::Output output)
{
    const Tools::Started started = Tools::start(tool, name, arguments, output);
    if (started == Tools::Started::Running)
        return true;
    writeLog(name + QStringLiteral(" could not be started: ")
             + (started == Tools::Started::NotInstalled ? QStringLiteral("it is not installed") : tool.errorString()));
    return false;
}

bool BurnDisc::waitForEnd(QProcess& tool, int timeoutMs)
{
    // In short steps, so that a closing window does not wait for a whole poll.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (tool.state() == QProcess::NotRunning || tool.waitForFinished(int(std::min<qint64>(100, deadline.remainingTime()))))
            return true;
        if (isInterruptionRequested()) {
            tool.kill();
            tool.waitForFinished(-1);
            return true;
        }
        if (deadline.hasExpired())
            return false;
    }
}

bool BurnDisc::finishTool(QProcess& tool)
{
    // The tool's last words (a failing burner says why there) belong in the log too.
    logOutput(Tools::outputText(tool.readAllStandardOutput() + tool.readAllStandardError()));
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void BurnDisc::followWriter(QProcess& tool, const QString& closingText)
{
    while (!waitForEnd(tool, writerPollMs)) {
        const QString chunk = Tools::outputText(tool.readAllStandardError());
        logOutput(chunk);
        const BurnText::WriterPoll poll = BurnText::writerPoll(chunk, QDateTime::currentDateTime());
        if (poll.progress)
            emit burnProgress(*poll.progress);
        if (poll.closing) {
            emit burnProgress(99);
            emit burnEstTime(closingText);
        } else if (poll.timeLeft) {
            emit burnEstTime(*poll.timeLeft);
        }
    }
}

BurnDisc::Outcome BurnDisc::dvdJob()
{
    QDir().mkpath(workFolder + QStringLiteral("/DVD"));
    totalBytes = 0;
    writeAuthoringFile();
    QProcess tool;
    if (const Outcome authored = authorDvd(tool); !authored.ok)
        return authored;
    emit burnProgress(20);
    if (isImage())
        return writeDvdImage(tool);

    emit textStatus(tr("Burning DVD..."));
    writeLog(QStringLiteral("Burning Video DVD..."));
    const QStringList arguments{QStringLiteral("-Z"), drive, QStringLiteral("-dvd-video"), workFolder + QStringLiteral("/DVD")};
    for (int attempt = 1; attempt <= dvdAttempts; ++attempt) {
        // Retrying a burner that is not there would only fail again.
        if (!startTool(tool, QStringLiteral("olvast"), arguments))
            return {false, tr("The DVD burning tool could not be started.")};
        emit burnEstTime(tr("Calculating time remaining..."));
        followWriter(tool, tr("Closing disc..."));
        if (isInterruptionRequested())
            return {false, tr("The burn was stopped.")};
        const bool burned = finishTool(tool);
        writeLog(QStringLiteral("Finished: exitCode=") + exitText(tool));
        if (burned)
            return {true, {}};
    }
    return {false, tr("The disc could not be burned: the burning tool failed %n times.", nullptr, dvdAttempts)};
}

BurnDisc::Outcome BurnDisc::authorDvd(QProcess& tool)
{
    emit textStatus(tr("Authoring DVD..."));
    writeLog(QStringLiteral("Authoring DVD..."));
    if (!startTool(tool, QStringLiteral("quenby"), {QStringLiteral("-x"), workFolder + QStringLiteral("/halvorn.xml")}))
        return {false, tr("The DVD authoring tool could not be started.")};
    while (!waitForEnd(tool, writerPollMs)) {
        const QString chunk = Tools::outputText(tool.readAllStandardError());
        logOutput(chunk);
        if (const std::optional<int> progress = BurnText::authoringProgress(chunk, totalBytes))
            emit burnProgress(*progress);
    }
    if (isInterruptionRequested())
        return {false, tr("The burn was stopped.")};
    // A blank disc is never spent on a folder that the authoring left broken or empty.
    const bool authored = finishTool(tool);
    if (!authored || !QFileInfo::exists(workFolder + QStringLiteral("/DVD/VIDEO_TS/VIDEO_TS.IFO"))) {
        writeLog(QStringLiteral("Authoring failed: exitCode=") + exitText(tool));
        return {false, tr("The DVD could not be authored from the converted files.")};
    }
    return {true, {}};
}

BurnDisc::Outcome BurnDisc::writeDvdImage(QProcess& tool)
{
    emit textStatus(tr("Writing Disc Image..."));
    writeLog(QStringLiteral("Writing disc image: ") + drive);
    ImageFile image(drive);
    if (!image.create())
        return {false, image.reason()};
    image.file().close();
    const QStringList arguments{QStringLiteral("-dvd-video"), QStringLiteral("-V"), BurnText::volumeName(drive),
                                QStringLiteral("-o"), image.workingPath(), workFolder + QStringLiteral("/DVD")};
    if (!startTool(tool, QStringLiteral("genisoimage"), arguments))
        return {false, tr("The disc image tool could not be started.")};
    emit burnEstTime(tr("Calculating time remaining..."));
    followWriter(tool, tr("Finishing image..."));
    const bool written = finishTool(tool);
    writeLog(QStringLiteral("Finished: exitCode=") + exitText(tool));
    if (!written)
        return {false, tr("The disc image could not be written.")};
    if (!image.complete())
        return {false, image.reason()};
    return {true, {}};
}

BurnDisc::Outcome BurnDisc::cdJob()
{
    writeLog(isImage() ? QStringLiteral("Writing Disc Image...") : QStringLiteral("Burning Audio CD..."));
    emit textStatus(isImage() ? tr("Writing Disc Image...") : tr("Burning Audio CD..."));
    const QString pattern = workFolder + QStringLiteral("/*.wav");
    const QStringList arguments{QStringLiteral("-v"), QStringLiteral("dev=") + drive, QStringLiteral("-pad"),
                                QStringLiteral("-audio"), QStringLiteral("-dao"), QStringLiteral("gracetime=2"), pattern};
    const QStringList tracks = inCreationOrder(workFolder, QStringLiteral(".wav"));
    padShortTracks(tracks);
    if (isImage())
        return writeCdImage(tracks);

    writeLog(QStringLiteral("Burning: pyrrat ") + arguments.mid(0, 6).join(QLatin1Char(' ')) + QStringLiteral(" \"")
             + pattern + QLatin1Char('"'));
    QProcess tool;
    if (!startTool(tool, QStringLiteral("pyrrat"), arguments, Tools::Output::Read))
        return {false, tr("The CD burning tool could not be started.")};
    (void)waitForEnd(tool, cdFirstWaitMs);
    // Until the burner lists the tracks, every file it was given is one.
    int trackCount = int(tracks.size());
    while (!waitForEnd(tool, cdPollMs)) {
        const QString out = Tools::outputText(tool.readAllStandardOutput());
        const QString err = Tools::outputText(tool.readAllStandardError());
        logOutput(out);
        logOutput(err);
        const BurnText::CdPoll poll = BurnText::cdPoll(out, trackCount);
        if (poll.trackCount)
            trackCount = *poll.trackCount;
        if (poll.fixating) {
            emit burnProgress(99);
            emit burnEstTime(tr("Closing disc..."));
        } else if (poll.burning) {
            emit burnEstTime(tr("Burning..."));
            if (poll.progress)
                emit burnProgress(*poll.progress);
        }
    }
    if (isInterruptionRequested())
        return {false, tr("The burn was stopped.")};
    const bool burned = finishTool(tool);
    writeLog(QStringLiteral("Finished: exitCode=") + exitText(tool));
    if (!burned)
        return {false, tr("The disc could not be burned.")};
    return {true, {}};
}

void BurnDisc::padShortTracks(const QStringList& tracks)
{
    // The shortest track an audio CD may hold: the burner refuses a shorter one.
    constexpr qint64 shortest = 4 * CdAudio::framesPerSecond * CdAudio::sectorBytes;
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        QFile file(workFolder + QLatin1Char('/') + tracks.at(i));
        const std::optional<DiscImage::WaveData> audio =
            file.open(QIODevice::ReadWrite) ? DiscImage::waveData(file) : std::nullopt;
        // What is no CD audio is left for the burner or the image to refuse.
        if (!audio || audio->length >= shortest)
            continue;
        writeLog(DiscImage::extendWithSilence(file, *audio, shortest)
                     ? QStringLiteral("Track %1 lasts less than 4 seconds, the shortest an audio CD may hold: "
                                      "silence makes it up to 4 seconds.").arg(i + 1)
                     : QStringLiteral("Track %1 lasts less than 4 seconds and cannot be made longer: %2")
                           .arg(i + 1).arg(file.errorString()));
    }
}

BurnDisc::Outcome BurnDisc::writeCdImage(const QStringList& tracks)
{
    ImageFile sheet(drive);
    ImageFile bin(DiscImage::binPath(drive));
    if (!sheet.create())
        return {false, sheet.reason()};
    if (!bin.create())
        return {false, bin.reason()};
    const Outcome outcome = fillCdImage(bin.file(), sheet.file(), tracks);
    if (!outcome.ok)
        return outcome;
    // The BIN first: the sheet that names it appears last, when the image is whole.
    if (!bin.complete())
        return {false, bin.reason()};
    if (!sheet.complete()) {
        QFile::remove(DiscImage::binPath(drive));
        return {false, sheet.reason()};
    }
    return {true, {}};
}

BurnDisc::Outcome BurnDisc::fillCdImage(QFile& bin, QFile& sheet, const QStringList& tracks)
{
    if (tracks.isEmpty() || tracks.size() > 99)
        return {false, tr("An audio CD holds from 1 to 99 tracks; this run made %n.", nullptr, int(tracks.size()))};
    struct Track {
        std::unique_ptr<QFile> file;
        DiscImage::WaveData audio;
    };
    std::vector<Track> sources;
    qint64 totalAudio = 0;
    for (const QString& name : tracks) {
        auto file = std::make_unique<QFile>(workFolder + QLatin1Char('/') + name);
        const std::optional<DiscImage::WaveData> audio =
            file->open(QIODevice::ReadOnly) ? DiscImage::waveData(*file) : std::nullopt;
        if (!audio)
            return {false, tr("%1 is not CD audio (16-bit stereo PCM at 44,100 Hz).").arg(file->fileName())};
        totalAudio += audio->length;
        sources.push_back({std::move(file), *audio});
    }

    emit burnEstTime(tr("Writing..."));
    QList<qint64> sectors;
    qint64 written = 0;
    int shown = -1;
    for (Track& track : sources) {
        track.file->seek(track.audio.offset);
        qint64 left = track.audio.length;
        while (left > 0) {
            if (isInterruptionRequested())
                return {false, tr("The burn was stopped.")};
            const QByteArray block = track.file->read(std::min<qint64>(left, 1 << 20));
            if (block.isEmpty() || bin.write(block) != block.size())
                return {false, tr("The disc image %1 could not be written.").arg(bin.fileName())};
            left -= block.size();
            written += block.size();
            const int percent = int(written * 99 / std::max<qint64>(1, totalAudio));
            if (percent != shown)
                emit burnProgress(percent);
            shown = percent;
        }
        // Each track fills whole sectors, so that the next one starts on a sector of its own.
        constexpr qint64 sectorBytes = CdAudio::sectorBytes;
        const qint64 padding = (sectorBytes - track.audio.length % sectorBytes) % sectorBytes;
        bin.write(QByteArray(padding, '\0'));
        sectors.append((track.audio.length + padding) / sectorBytes);
    }
    const QByteArray text = DiscImage::sheetText(QFileInfo(DiscImage::binPath(drive)).fileName(), sectors).toUtf8();
    if (sheet.write(text) != text.size() || !bin.flush() || !sheet.flush())
        return {false, tr("The disc image %1 could not be written.").arg(sheet.fileName())};
    return {true, {}};
}
