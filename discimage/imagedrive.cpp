#include "discimage/imagedrive.h"

#include "discimage/cuesheet.h"
#include "discimage/wavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cstring>
#include <vector>

Q_LOGGING_CATEGORY(lcDiscImage, "halvorn.discimage")

namespace DiscImage {

using namespace CdAudio;

namespace {

// A name in a CUE sheet, relative to the sheet's folder. Sheets made on other systems may write
// backslashes and another letter case than the file has.
QString resolveCueFile(const QDir& folder, QString name)
{
    name.replace(u'\\', u'/');
    const QFileInfo named(folder, name);
    if (named.exists())
        return named.absoluteFilePath();
    const QDir parent = named.absoluteDir();
    for (const QString& entry : parent.entryList(QDir::Files))
        if (entry.compare(named.fileName(), Qt::CaseInsensitive) == 0)
            return parent.filePath(entry);
    return {};
}

// A disc image: the CUE sheet's files laid end to end as the disc would hold them, with silence
// where the sheet asks for a gap that no file holds. Track 1 starts at sector 0 (00:02:00).
class ImageDrive final : public Drive {
public:
    static std::unique_ptr<ImageDrive> open(const QString& cuePath, Status& status);

    Status readToc(Toc& toc) override
    {
        toc = contents;
        return Status::Ok;
    }

    Status readAudio(int lba, int sectors, char* buffer) override
    {
        if (lba < 0 || sectors < 0 || lba + sectors > leadOut)
            return Status::MediumError;
        for (const Extent& extent : extents) {
            if (sectors == 0)
                break;
            if (lba >= extent.lba + extent.sectors)
                continue;
            const int count = std::min(sectors, extent.lba + extent.sectors - lba);
            const qint64 bytes = qint64(count) * sectorBytes;
            if (extent.file < 0) {
                std::memset(buffer, 0, size_t(bytes));
            } else {
                // A data track holds no CD-DA sectors of 2352 bytes to hand out.
                if (extent.sectorBytes != sectorBytes)
                    return Status::MediumError;
                ImageFile& image = files[size_t(extent.file)];
                if (!image.file->seek(extent.offset + qint64(lba - extent.lba) * sectorBytes)
                    || image.file->read(buffer, bytes) != bytes)
                    return Status::NoDisc; // the file was cut short or went away since the disc was opened
            }
            buffer += bytes;
            lba += count;
            sectors -= count;
        }
        return Status::Ok;
    }

    // An image has no tray: locking succeeds and changes nothing.
    Status setLocked(bool) override { return Status::Ok; }

    bool mediaReady() override
    {
        return std::all_of(files.begin(), files.end(), [](const ImageFile& image) {
            return QFileInfo(image.file->fileName()).size() >= image.end;
        });
    }

private:
    struct ImageFile {
        std::unique_ptr<QFile> file;
        qint64 end = 0; // the file must hold this many bytes for the disc to be whole
    };
    struct Extent {
        int lba = 0;
        int sectors = 0;
        int file = -1; // -1: silence
        qint64 offset = 0;
        int sectorBytes = CdAudio::sectorBytes;
    };

    void append(const Extent& extent)
    {
        if (extent.sectors > 0)
            extents.append(extent);
        leadOut += extent.sectors;
    }

    std::vector<ImageFile> files;
    QList<Extent> extents;
    Toc contents;
    int leadOut = 0;
};

std::unique_ptr<ImageDrive> ImageDrive::open(const QString& cuePath, Status& status)
{
    status = Status::NoDisc;
    QFile cue(cuePath);
    if (!QFileInfo(cuePath).isFile() || !cue.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = cue.read(1 << 20);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes); // sheets from older tools are often in a legacy code page
    QString error;
    std::optional<CueSheet> sheet = parseCueSheet(text, &error);
    const auto refuse = [&](const QString& reason) {
        qCWarning(lcDiscImage).noquote() << cuePath << "cannot be read as a disc image:" << reason;
        return nullptr;
    };
    if (!sheet)
        return refuse(error);

    auto drive = std::make_unique<ImageDrive>();
    const QDir folder = QFileInfo(cuePath).absoluteDir();
    for (int f = 0; f < sheet->files.size(); ++f) {
        const CueFile& named = sheet->files.at(f);
        const QString path = resolveCueFile(folder, named.name);
        auto file = std::make_unique<QFile>(path);
        // Only plain files: a pipe or a device named in a sheet could keep a read waiting for ever.
        if (path.isEmpty() || !QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return refuse(QStringLiteral("the file %1 cannot be read").arg(named.name));
        qint64 offset = 0;
        qint64 length = file->size();
        if (named.type == CueFile::Type::Wave) {
            const std::optional<WaveData> data = waveData(*file);
            if (!data)
                return refuse(QStringLiteral("%1 is no 44100 Hz 16-bit stereo PCM WAVE file").arg(named.name));
            offset = data->offset;
            length = data->length;
        }
        QList<CueTrack*> inFile;
        for (CueTrack& track : sheet->tracks)
            if (track.file == f)
                inFile.append(&track);
        const int bytesPerSector = inFile.value(0) ? inFile.first()->sectorBytes : sectorBytes;
        const int fileSectors = int(length / bytesPerSector);
        int position = 0;
        int previous = 0;
        for (CueTrack* track : inFile) {
            if (track->sectorBytes != bytesPerSector)
                return refuse(QStringLiteral("%1 mixes sector sizes").arg(named.name));
            if (track->index1 > fileSectors || track->index1 < previous)
                return refuse(QStringLiteral("track %1 does not start inside %2 after the one before")
                                  .arg(track->number)
                                  .arg(named.name));
            if (track->pregap > 0) {
                drive->append({drive->leadOut, track->index1 - position, f,
                               offset + qint64(position) * bytesPerSector, bytesPerSector});
                position = track->index1;
                drive->append({drive->leadOut, track->pregap, -1, 0, sectorBytes});
            }
            previous = track->index1;
            const int lba = drive->leadOut + track->index1 - position;
            drive->contents.entries.append({track->number, lbaToMsf(lba), track->audio ? 0u : dataControl});
        }
        drive->append({drive->leadOut, fileSectors - position, f, offset + qint64(position) * bytesPerSector,
                       bytesPerSector});
        drive->files.push_back({std::move(file), offset + qint64(fileSectors) * bytesPerSector});
    }
    drive->contents.firstTrack = sheet->tracks.first().number;
    drive->contents.lastTrack = sheet->tracks.last().number;
    drive->contents.entries.append({leadOutNumber, lbaToMsf(drive->leadOut), 0});
    status = Status::Ok;
    return drive;
}

QString cueTitle(const QString& cuePath)
{
    QFile cue(cuePath);
    if (!cue.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression title(QStringLiteral("^\\s*TITLE\\s+\"([^\"]*)\""));
    while (!cue.atEnd()) {
        const QString line = QString::fromUtf8(cue.readLine());
        if (line.trimmed().startsWith(QLatin1String("TRACK")))
            break; // a TITLE after the first track names that track, not the disc
        const QRegularExpressionMatch match = title.match(line);
        if (match.hasMatch())
            return match.captured(1).trimmed();
    }
    return {};
}

Drives::OpticalDrive imageDrive(const QString& name)
{
    const QFileInfo info(name);
    Drives::OpticalDrive drive;
    drive.device = info.absoluteFilePath();
    drive.identity = Drives::identity(QStringLiteral("HALVORN"), QStringLiteral("DISC IMAGE"), QStringLiteral("1.0"));
    const QString suffix = info.suffix().toLower();
    if (info.isFile() && suffix == QLatin1String("cue")) {
        drive.kind = Drives::Kind::CdImage;
        drive.mediaPresent = info.isReadable();
        const QString title = cueTitle(drive.device);
        drive.volumeLabel = title.isEmpty() ? info.completeBaseName() : title;
    } else if (info.isFile() && suffix == QLatin1String("iso")) {
        drive.kind = Drives::Kind::DvdImage;
        drive.mediaPresent = info.isReadable();
        drive.volumeLabel = Drives::readVolumeLabel(drive.device);
    } else if (info.isDir()) {
        // A DVD copied to disk: the folder that holds VIDEO_TS, or VIDEO_TS itself.
        QDir folder(drive.device);
        if (folder.dirName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0)
            folder.cdUp();
        drive.device = folder.absolutePath();
        drive.kind = Drives::Kind::DvdImage;
        drive.mediaPresent = folder.exists(QStringLiteral("VIDEO_TS")) || folder.exists(QStringLiteral("video_ts"));
        drive.volumeLabel = folder.dirName();
    }
    return drive;
}

} // namespace

std::unique_ptr<Drive> openCd(const QString& device, Status& status)
{
    if (device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return ImageDrive::open(device, status);
    return openDevice(device, status);
}

QList<Drives::OpticalDrive> imageDrives()
{
    QList<Drives::OpticalDrive> drives;
    const QString names = qEnvironmentVariable(imageVariable);
    for (const QString& name : names.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        Drives::OpticalDrive drive = imageDrive(name);
        if (drive.mediaPresent)
            drives.append(drive);
    }
    return drives;
}

QList<Drives::OpticalDrive> allDrives()
{
    return Drives::hardwareDrives() + imageDrives();
}

} // namespace DiscImage
