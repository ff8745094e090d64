#include "cdrip/caudiocd.h"

#include "discimage/imagedrive.h"

#include <QFile>
#include <QLoggingCategory>
#include <QtEndian>

#include <cstring>

Q_LOGGING_CATEGORY(lcCdRip, "halvorn.cdrip")

using CdAudio::Status;

namespace {

constexpr int headerBytes = 44;

} // namespace

QByteArray wavHeader(int sampleRate, int bitsPerSample, int channels, quint32 dataSize)
{
    QByteArray header(headerBytes, '\0');
    char* const bytes = header.data();
    const auto put32 = [bytes](int offset, quint32 value) { qToLittleEndian(value, bytes + offset); };
    const auto put16 = [bytes](int offset, quint16 value) { qToLittleEndian(value, bytes + offset); };
    std::memcpy(bytes, "RIFF", 4);
    put32(4, 36 + dataSize);
    std::memcpy(bytes + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, quint16(channels));
    put32(24, quint32(sampleRate));
    put32(28, quint32(sampleRate * bitsPerSample * channels / 8));
    put16(32, quint16(bitsPerSample * channels / 8));
    put16(34, quint16(bitsPerSample));
    std::memcpy(bytes + 36, "data", 4);
    put32(40, dataSize);
    return header;
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
        const int start = CdAudio::msfToLba(toc.entries.at(k).address);
        const int next = CdAudio::msfToLba(toc.entries.at(k + 1).address);
        // A table whose addresses run backwards describes no disc we could read from here on.
        if (start < 0 || next < start)
            break;
        list.append({quint32(start), quint32(next - start), !(toc.entries.at(k).control & CdAudio::dataControl)});
    }
    return list;
}

bool CAudioCD::OpenDrive(const QString& device)
{
    CloseDrive();
    Status status = Status::Ok;
    std::unique_ptr<CdAudio::Drive> opened = DiscImage::openCd(device, status);
    if (!opened) {
        qCInfo(lcCdRip).noquote() << "cannot open" << device << CdAudio::statusText(status);
        return false;
    }
    return OpenDrive(std::move(opened), device);
}

bool CAudioCD::OpenDrive(std::unique_ptr<CdAudio::Drive> opened, const QString& device)
{
    CloseDrive();
    drive = std::move(opened);
    CdAudio::Toc toc;
    Status status = drive->setLocked(true);
    if (status == Status::Ok)
        status = drive->readToc(toc);
    if (status != Status::Ok) {
        qCInfo(lcCdRip).noquote() << "no table of contents in" << device << CdAudio::statusText(status);
        UnlockDrive();
        drive.reset();
        return false;
    }
    tracks = tracksFromToc(toc);
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
    if (!hasAudioTrack(track))
        return false;
    keepExtracting = true;
    const Track t = tracks.at(track);
    const bool lastTrack = track == tracks.size() - 1;
    // A new file: a rip never replaces one that is already there.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || file.write(wavHeader(44100, 16, 2, t.sectorCount * CdAudio::sectorBytes)) != headerBytes) {
        qCWarning(lcCdRip).noquote() << "cannot create" << fileName << file.errorString();
        return false;
    }

    QByteArray buffer(blockSectors * CdAudio::sectorBytes, Qt::Uninitialized);
    quint32 written = 0;
    bool writeFailed = false;
    const auto readAndWrite = [&](quint32 sector, int count) {
        const Status status = drive->readAudio(int(t.startSector + sector), count, buffer.data());
        if (status != Status::Ok) {
            qCWarning(lcCdRip).noquote() << "track" << track + 1 << "sector" << sector << CdAudio::statusText(status);
            return status;
        }
        const qint64 bytes = qint64(count) * CdAudio::sectorBytes;
        if (file.write(buffer.constData(), bytes) != bytes) {
            qCWarning(lcCdRip).noquote() << "cannot write" << fileName << file.errorString();
            writeFailed = true;
            return Status::Failed;
        }
        written += quint32(count);
        return Status::Ok;
    };

    const quint32 blocks = t.sectorCount / blockSectors;
    quint32 b = 0;
    bool ok = true;
    for (; b < blocks && keepExtracting; ++b) {
        const Status status = readAndWrite(b * blockSectors, blockSectors);
        // The lead-out that some drives cannot reach ends the last track early. Anywhere else an
        // unreadable stretch fails the track: a song missing its end is not a rip.
        if (!writeFailed && status != Status::Ok && lastTrack)
            break;
        if (status != Status::Ok) {
            ok = false;
            break;
        }
        emit fileProgress(int(double(b) / blocks * 100));
    }
    const int rest = int(t.sectorCount % blockSectors);
    if (ok && rest > 0)
        ok = readAndWrite(b * blockSectors, rest) == Status::Ok;

    // The header was written for the whole track; it must tell what the file really holds.
    const quint32 dataBytes = written * CdAudio::sectorBytes;
    if (dataBytes != t.sectorCount * CdAudio::sectorBytes
        && !(file.seek(0) && file.write(wavHeader(44100, 16, 2, dataBytes)) == headerBytes))
        ok = false;
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}
