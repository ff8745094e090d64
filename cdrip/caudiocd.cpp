#include "cdrip/caudiocd.h"

#include "discimage/imagedrive.h"
#include "discimage/wavefile.h"

#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>

Q_LOGGING_CATEGORY(lcCdRip, "halvorn.cdrip")

using CdAudio::Status;

using DiscImage::wavHeader;
using DiscImage::wavHeaderBytes;

QString writeFailureText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return CAudioCD::tr("The disk is full.");
    default: return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
    }
}

CAudioCD::CAudioCD(const QString& device, QObject* parent)
    : QObject(parent)
{
    if (!device.isEmpty())
        OpenDrive(device);
}

CAudioCD::~CAudioCD()
{
    CloseDrive();
}

QList<CAudioCD::Track> CAudioCD::tracksFromToc(const CdAudio::Toc& toc)
{
    QList<Track> list;
    for (qsizetype k = 0; k + 1 < toc.entries.size(); ++k) {
        const CdAudio::TocEntry& entry = toc.entries.at(k);
        const CdAudio::TocEntry& following = toc.entries.at(k + 1);
        const int start = CdAudio::msfToLba(entry.address);
        int next = CdAudio::msfToLba(following.address);
        // A table whose addresses run backwards describes no disc we could read from here on.
        if (start < 0 || next < start)
            break;
        const bool audio = !(entry.control & CdAudio::dataControl);
        // The data track after the sound of an enhanced CD opens a session of its own: the gap
        // before it holds no sound, and where the drive says the last session starts, that counts.
        if (audio && following.number != CdAudio::leadOutNumber && (following.control & CdAudio::dataControl)) {
            const int session = toc.lastSessionStart > start ? std::min(toc.lastSessionStart, next) : next;
            next = std::max(start, session - CdAudio::sessionGapSectors);
        }
        list.append({quint32(start), quint32(next - start), audio});
    }
    return list;
}

QString CAudioCD::statusSentence(Status status, const QString& device)
{
    switch (status) {
    case Status::NoDrive: return tr("There is no drive %1.").arg(device);
    case Status::NoDisc: return tr("There is no disc in %1.").arg(device);
    case Status::NotReady: return tr("The drive %1 is not ready; please try again in a moment.").arg(device);
    case Status::MediumError: return tr("The disc in %1 cannot be read.").arg(device);
    case Status::Unsupported: return tr("%1 is no CD drive.").arg(device);
    case Status::NoAccess: return tr("You have no permission to read %1.").arg(device);
    case Status::Ok:
    case Status::Failed: break;
    }
    return tr("The disc in %1 cannot be read.").arg(device);
}

bool CAudioCD::OpenDrive(const QString& device)
{
    CloseDrive();
    Status status = Status::Ok;
    QString reason;
    std::unique_ptr<CdAudio::Drive> opened = DiscImage::openCd(device, status, &reason);
    if (!opened) {
        qCInfo(lcCdRip).noquote() << "cannot open" << device << CdAudio::statusText(status);
        openFailure = reason.isEmpty() ? statusSentence(status, device) : reason;
        return false;
    }
    return OpenDrive(std::move(opened), device);
}

bool CAudioCD::OpenDrive(std::unique_ptr<CdAudio::Drive> opened, const QString& device)
{
    CloseDrive();
    openFailure.clear();
    drive = std::move(opened);
    CdAudio::Toc toc;
    Status status = drive->setLocked(true);
    if (status == Status::Ok)
        status = drive->readToc(toc);
    if (status != Status::Ok) {
        qCInfo(lcCdRip).noquote() << "no table of contents in" << device << CdAudio::statusText(status);
        openFailure = statusSentence(status, device);
        UnlockDrive();
        drive.reset();
        return false;
    }
    tracks = tracksFromToc(toc);
    if (tracks.isEmpty())
        openFailure = tr("The disc in %1 holds no tracks.").arg(device);
    return !tracks.isEmpty();
}

void CAudioCD::CloseDrive()
{
    UnlockDrive();
    tracks.clear();
    drive.reset();
}

int CAudioCD::TrackCount() const
{
    return IsOpen() ? int(tracks.size()) : -1;
}

int CAudioCD::TrackSeconds(int track) const
{
    if (!IsOpen() || track < 0 || track >= tracks.size())
        return -1;
    return int(tracks.at(track).sectorCount / CdAudio::framesPerSecond);
}

qint64 CAudioCD::TrackBytes(int track) const
{
    if (!IsOpen() || track < 0 || track >= tracks.size())
        return -1;
    return qint64(tracks.at(track).sectorCount) * CdAudio::sectorBytes;
}

bool CAudioCD::IsAudioTrack(int track) const
{
    return IsOpen() && track >= 0 && track < tracks.size() && tracks.at(track).audio;
}

bool CAudioCD::hasAudioTrack(int track) const
{
    if (IsAudioTrack(track))
        return true;
    qCWarning(lcCdRip) << "track" << track + 1 << "is no audio track of the open disc";
    return false;
}

bool CAudioCD::LockDrive()
{
    return IsOpen() && drive->setLocked(true) == Status::Ok;
}

bool CAudioCD::UnlockDrive()
{
    return IsOpen() && drive->setLocked(false) == Status::Ok;
}

bool CAudioCD::IsMediaReady(const QString& device)
{
    if (device.isEmpty())
        return IsOpen() && drive->mediaReady();
    Status status = Status::Ok;
    const std::unique_ptr<CdAudio::Drive> other = DiscImage::openCd(device, status);
    return other && other->mediaReady();
}

bool CAudioCD::ExtractTrack(int track, const QString& fileName)
{
    writeFailure.clear();
    if (!hasAudioTrack(track))
        return false;
    keepExtracting = true;
    const Track t = tracks.at(track);
    const bool lastTrack = track == tracks.size() - 1;
    // A new file: a rip never replaces one that is already there.
    QFile file(fileName);
    const auto cannotWrite = [&] {
        writeFailure = writeFailureText(errno);
        qCWarning(lcCdRip).noquote() << "cannot write" << fileName << file.errorString();
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        cannotWrite();
        return false;
    }
    // Whatever ends the track unfinished, no part of it stays behind to pass for a rip.
    const auto fail = [&] {
        file.close();
        file.remove();
        return false;
    };
    if (file.write(wavHeader(44100, 16, 2, t.sectorCount * CdAudio::sectorBytes)) != wavHeaderBytes) {
        cannotWrite();
        return fail();
    }

    QByteArray buffer(blockSectors * CdAudio::sectorBytes, Qt::Uninitialized);
    quint32 written = 0;
    const auto write = [&](int count) {
        const qint64 bytes = qint64(count) * CdAudio::sectorBytes;
        if (file.write(buffer.constData(), bytes) != bytes) {
            cannotWrite();
            return false;
        }
        written += quint32(count);
        return true;
    };
    enum class Read { Ok, TrackEnds, Failed };
    // Some drives cannot read the very last sectors before the lead-out: of those, the last track
    // keeps what the drive gives, one sector at a time. Anywhere else, and for any other failure
    // (a disc, file or drive that went away), the track is not ripped: a song missing its end is
    // not a rip.
    const auto nearLeadOut = [&](quint32 sector) { return lastTrack && sector + blockSectors >= t.sectorCount; };
    const auto readAndWrite = [&](quint32 sector, int count) {
        const Status status = drive->readAudio(int(t.startSector + sector), count, buffer.data());
        if (status == Status::Ok)
            return write(count) ? Read::Ok : Read::Failed;
        qCWarning(lcCdRip).noquote() << "track" << track + 1 << "sector" << sector << CdAudio::statusText(status);
        if (status != Status::MediumError || !nearLeadOut(sector + quint32(count) - 1))
            return Read::Failed;
        for (quint32 at = sector; at < sector + quint32(count); ++at) {
            if (drive->readAudio(int(t.startSector + at), 1, buffer.data()) != Status::Ok)
                return nearLeadOut(at) ? Read::TrackEnds : Read::Failed;
            if (!write(1))
                return Read::Failed;
        }
        return Read::Ok;
    };

    const quint32 blocks = t.sectorCount / blockSectors;
    quint32 b = 0;
    Read read = Read::Ok;
    for (; b < blocks && keepExtracting && read == Read::Ok; ++b) {
        read = readAndWrite(b * blockSectors, blockSectors);
        if (read == Read::Ok)
            emit fileProgress(int(double(b) / blocks * 100));
    }
    const int rest = int(t.sectorCount % blockSectors);
    if (read == Read::Ok && rest > 0)
        read = readAndWrite(b * blockSectors, rest);
    if (read == Read::Failed)
        return fail();

    // The header was written for the whole track; it must tell what the file really holds.
    const quint32 dataBytes = written * CdAudio::sectorBytes;
    if (dataBytes != t.sectorCount * CdAudio::sectorBytes
        && !(file.seek(0) && file.write(wavHeader(44100, 16, 2, dataBytes)) == wavHeaderBytes)) {
        cannotWrite();
        return fail();
    }
    if (!file.flush()) {
        cannotWrite();
        return fail();
    }
    file.close();
    return true;
}
