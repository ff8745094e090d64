#include "discimage/imagedrive.h"

#include "discimage/cuesheet.h"
#include "discimage/wavefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
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

class Message final {
    Q_DECLARE_TR_FUNCTIONS(DiscImage)
};

// The text of a CUE sheet, read whole only when it is no larger than a sheet can be. Sheets from
// older tools are often in a legacy code page rather than UTF-8.
std::optional<QString> readSheet(const QString& cuePath, QString& reason)
{
    QFile cue(cuePath);
    // Only plain files: a pipe or a device named as a sheet could keep a read waiting for ever.
    if (!QFileInfo(cuePath).isFile() || !cue.open(QIODevice::ReadOnly)) {
        reason = Message::tr("The CUE sheet %1 cannot be read.").arg(cuePath);
        return std::nullopt;
    }
    if (cue.size() > maxSheetBytes) {
        reason = Message::tr("%1 is no CUE sheet of a CD: it holds %2 KB, and no sheet holds more than %3 KB.")
                     .arg(cuePath)
                     .arg(cue.size() / 1024)
                     .arg(maxSheetBytes / 1024);
        return std::nullopt;
    }
    const QByteArray bytes = cue.read(maxSheetBytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A disc image: the CUE sheet's files laid end to end as the disc would hold them, with silence
// where the sheet asks for a gap that no file holds. Track 1 starts at sector 0 (00:02:00).
class ImageDrive final : public Drive {
public:
    // Null, with the reason for the user, when the sheet describes no CD that can be read.
    static std::unique_ptr<ImageDrive> open(const QString& cuePath, QString& reason);

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
            if (extent.file == silence) {
                std::memset(buffer, 0, size_t(bytes));
            } else if (extent.file == noSectors || extent.sectorBytes != sectorBytes) {
                // Between sessions there are no sectors to read, and a data track holds no CD-DA
                // sectors of 2352 bytes to hand out.
                return Status::MediumError;
            } else {
                ImageFile& image = files[size_t(extent.file)];
                const qint64 from = extent.offset + qint64(lba - extent.lba) * sectorBytes;
                // The last sector of a file that ends inside one is filled up with silence.
                const qint64 held = std::clamp<qint64>(image.end - from, 0, bytes);
                if (!image.file->seek(from) || image.file->read(buffer, held) != held)
                    return Status::NoDisc; // the file was cut short or went away since the disc was opened
                std::memset(buffer + held, 0, size_t(bytes - held));
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
    static constexpr int silence = -1;
    static constexpr int noSectors = -2;

    struct ImageFile {
        std::unique_ptr<QFile> file;
        qint64 end = 0; // where its sound ends: the file must hold this many bytes for the disc to be whole
    };
    struct Extent {
        int lba = 0;
        int sectors = 0;
        int file = silence; // an index into files, silence or noSectors
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

std::unique_ptr<ImageDrive> ImageDrive::open(const QString& cuePath, QString& reason)
{
    const std::optional<QString> text = readSheet(cuePath, reason);
    if (!text)
        return nullptr;
    QString error;
    std::optional<CueSheet> sheet = parseCueSheet(*text, &error);
    const auto refuse = [&](const QString& problem) {
        reason = Message::tr("%1 cannot be read as a disc image: %2").arg(cuePath, problem);
        qCWarning(lcDiscImage).noquote() << reason;
        return nullptr;
    };
    if (!sheet)
        return refuse(error);

    auto drive = std::make_unique<ImageDrive>();
    const QDir folder = QFileInfo(cuePath).absoluteDir();
    bool afterAudio = false;
    for (int f = 0; f < sheet->files.size(); ++f) {
        const CueFile& named = sheet->files.at(f);
        const QString path = resolveCueFile(folder, named.name);
        auto file = std::make_unique<QFile>(path);
        // Only plain files: a pipe or a device named in a sheet could keep a read waiting for ever.
        if (path.isEmpty() || !QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return refuse(Message::tr("the file %1 cannot be read").arg(named.name));
        qint64 offset = 0;
        qint64 length = file->size();
        if (named.type == CueFile::Type::Wave) {
            const std::optional<WaveData> data = waveData(*file);
            if (!data)
                return refuse(Message::tr("%1 is no 44100 Hz 16-bit stereo PCM WAVE file").arg(named.name));
            offset = data->offset;
            length = data->length;
        }
        QList<CueTrack*> inFile;
        for (CueTrack& track : sheet->tracks)
            if (track.file == f)
                inFile.append(&track);
        const int bytesPerSector = inFile.value(0) ? inFile.first()->sectorBytes : sectorBytes;
        if (length < bytesPerSector)
            return refuse(Message::tr("%1 holds less than one sector").arg(named.name));
        // A file that ends inside a sector still fills it, as a burner pads it with silence: the
        // sectors after it stay where the disc has them.
        const qint64 fileSectors = (length + bytesPerSector - 1) / bytesPerSector;
        if (fileSectors > maxDiscSectors)
            return refuse(Message::tr("%1 holds more than a CD can").arg(named.name));
        int position = 0;
        int previous = 0;
        for (CueTrack* track : inFile) {
            if (track->sectorBytes != bytesPerSector)
                return refuse(Message::tr("%1 mixes sector sizes").arg(named.name));
            if (track->index1 > fileSectors || track->index1 < previous)
                return refuse(Message::tr("track %1 does not start inside %2 after the one before")
                                  .arg(track->number)
                                  .arg(named.name));
            // The data session of an enhanced CD lies beyond the gap between sessions.
            const bool newSession = afterAudio && !track->audio;
            if (track->pregap > 0 || newSession) {
                drive->append({drive->leadOut, track->index1 - position, f,
                               offset + qint64(position) * bytesPerSector, bytesPerSector});
                position = track->index1;
                if (newSession)
                    drive->append({drive->leadOut, sessionGapSectors, noSectors, 0, sectorBytes});
                drive->append({drive->leadOut, track->pregap, silence, 0, sectorBytes});
            }
            previous = track->index1;
            afterAudio = track->audio;
            const int lba = drive->leadOut + track->index1 - position;
            drive->contents.entries.append({track->number, lbaToMsf(lba), track->audio ? 0u : dataControl});
        }
        drive->append({drive->leadOut, int(fileSectors) - position, f, offset + qint64(position) * bytesPerSector,
                       bytesPerSector});
        drive->files.push_back({std::move(file), offset + length});
        // Checked as the disc grows, so that no sheet makes the count run over.
        if (drive->leadOut > maxDiscSectors)
            return refuse(Message::tr("it describes %1 minutes, more than the 100 minutes a CD can hold")
                              .arg((drive->leadOut + 60 * framesPerSecond - 1) / (60 * framesPerSecond)));
    }
    drive->contents.firstTrack = sheet->tracks.first().number;
    drive->contents.lastTrack = sheet->tracks.last().number;
    drive->contents.entries.append({leadOutNumber, lbaToMsf(drive->leadOut), 0});
    return drive;
}

// The disc's title: a TITLE before the first track. Only the start of the sheet is read: that is
// where the title stands, and a file of any size may be named as a sheet.
QString cueTitle(const QString& cuePath)
{
    QFile cue(cuePath);
    if (!QFileInfo(cuePath).isFile() || !cue.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression title(QStringLiteral("^\\s*TITLE\\s+\"([^\"]*)\""));
    constexpr qint64 searched = 64 * 1024;
    while (!cue.atEnd() && cue.pos() < searched) {
        const QString text = QString::fromUtf8(cue.readLine(searched));
        if (text.trimmed().startsWith(QLatin1String("TRACK")))
            break; // a TITLE after the first track names that track, not the disc
        const QRegularExpressionMatch match = title.match(text);
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

std::unique_ptr<Drive> openCd(const QString& device, Status& status, QString* reason)
{
    if (!device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return openDevice(device, status);
    QString refused;
    std::unique_ptr<Drive> image = ImageDrive::open(device, refused);
    status = image ? Status::Ok : Status::NoDisc;
    if (reason)
        *reason = refused;
    return image;
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
