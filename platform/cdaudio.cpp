#include "platform/cdaudio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcCdAudio, "halvorn.cdaudio")

namespace CdAudio {

int msfToLba(const Msf& msf)
{
    return msf.minute * 60 * framesPerSecond + msf.second * framesPerSecond + msf.frame - msfOffset;
}

Msf lbaToMsf(int lba)
{
    const int frames = lba + msfOffset;
    return {frames / (60 * framesPerSecond), frames / framesPerSecond % 60, frames % framesPerSecond};
}

QString statusText(Status status)
{
    switch (status) {
    case Status::Ok: return QStringLiteral("ok");
    case Status::NoDrive: return QStringLiteral("no such drive");
    case Status::NoDisc: return QStringLiteral("no disc");
    case Status::NotReady: return QStringLiteral("drive not ready");
    case Status::MediumError: return QStringLiteral("unreadable sector");
    case Status::Unsupported: return QStringLiteral("not supported by the drive");
    case Status::NoAccess: return QStringLiteral("no permission");
    case Status::Failed: break;
    }
    return QStringLiteral("failed");
}

namespace Linux {

Status statusFromErrno(int error)
{
    switch (error) {
    case 0: return Status::Ok;
    case ENOMEDIUM: return Status::NoDisc;
    case ENOENT:
    case ENODEV:
    case ENXIO: return Status::NoDrive;
    case EBUSY:
    case EAGAIN:
    case ETIMEDOUT: return Status::NotReady;
    case EIO:
    case EILSEQ: return Status::MediumError;
    case ENOTTY:
    case EOPNOTSUPP:
    case ENOSYS: return Status::Unsupported;
    case EACCES:
    case EPERM: return Status::NoAccess;
    default: return Status::Failed;
    }
}

Status statusFromDriveStatus(int driveStatus)
{
    switch (driveStatus) {
    case CDS_DISC_OK:
    case CDS_NO_INFO: return Status::Ok; // a drive that cannot tell may still read: the TOC will say
    case CDS_NO_DISC:
    case CDS_TRAY_OPEN: return Status::NoDisc;
    case CDS_DRIVE_NOT_READY: return Status::NotReady;
    default: return Status::Failed;
    }
}

} // namespace Linux

namespace {

template <typename Argument>
Status control(int fd, unsigned long request, Argument argument)
{
    int result;
    do
        result = ::ioctl(fd, request, argument);
    while (result < 0 && errno == EINTR);
    return result < 0 ? Linux::statusFromErrno(errno) : Status::Ok;
}

// A CD-ROM device. It is opened without waiting for a disc, so an empty drive or an open tray
// answers at once; every read is one ioctl that the kernel ends after its command timeout.
class LinuxDrive final : public Drive {
public:
    explicit LinuxDrive(int fd)
        : fd(fd)
    {
    }
    ~LinuxDrive() override { ::close(fd); }
    Q_DISABLE_COPY_MOVE(LinuxDrive)

    Status readToc(Toc& toc) override
    {
        const int drive = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
        if (const Status status = drive < 0 ? Linux::statusFromErrno(errno) : Linux::statusFromDriveStatus(drive);
            status != Status::Ok)
            return status;
        cdrom_tochdr header{};
        if (const Status status = control(fd, CDROMREADTOCHDR, &header); status != Status::Ok)
            return status;
        if (header.cdth_trk0 < 1 || header.cdth_trk0 > header.cdth_trk1 || header.cdth_trk1 > 99)
            return Status::MediumError;
        toc = {header.cdth_trk0, header.cdth_trk1, {}};
        for (int number = header.cdth_trk0; number <= header.cdth_trk1 + 1; ++number) {
            const bool leadOut = number > header.cdth_trk1;
            cdrom_tocentry entry{};
            entry.cdte_track = leadOut ? CDROM_LEADOUT : number;
            entry.cdte_format = CDROM_MSF;
            if (const Status status = control(fd, CDROMREADTOCENTRY, &entry); status != Status::Ok)
                return status;
            toc.entries.append({leadOut ? leadOutNumber : number,
                                {entry.cdte_addr.msf.minute, entry.cdte_addr.msf.second, entry.cdte_addr.msf.frame},
                                entry.cdte_ctrl});
        }
        return Status::Ok;
    }

    Status readAudio(int lba, int sectors, char* buffer) override
    {
        cdrom_read_audio request{};
        request.addr.lba = lba;
        request.addr_format = CDROM_LBA;
        request.nframes = sectors;
        request.buf = reinterpret_cast<__u8*>(buffer);
        return control(fd, CDROMREADAUDIO, &request);
    }

    Status setLocked(bool locked) override
    {
        const Status status = control(fd, CDROM_LOCKDOOR, locked ? 1 : 0);
        // The kernel refuses an unlock while another program holds the drive open, and unlocks by
        // itself when the last one closes it: nothing stays locked because of us.
        return !locked && status != Status::Ok && errno == EBUSY ? Status::Ok : status;
    }

    Status eject() override { return control(fd, CDROMEJECT, 0); }
    Status load() override { return control(fd, CDROMCLOSETRAY, 0); }

    bool mediaReady() override
    {
        return Linux::statusFromDriveStatus(::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT)) == Status::Ok;
    }

private:
    const int fd;
};

std::unique_ptr<Drive> openDevice(const QString& device, Status& status)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    status = fd < 0 ? Linux::statusFromErrno(errno) : Status::Ok;
    if (fd < 0)
        return nullptr;
    return std::make_unique<LinuxDrive>(fd);
}

// Splits a CUE line into words; a quoted word keeps its blanks.
QStringList cueWords(const QString& line)
{
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

// "mm:ss:ff" in sectors; -1 when it is not such a time.
int cueTime(const QString& text)
{
    const QStringList parts = text.split(u':');
    bool ok[3] = {};
    if (parts.size() != 3)
        return -1;
    const int minutes = parts[0].toInt(&ok[0]);
    const int seconds = parts[1].toInt(&ok[1]);
    const int frames = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || minutes < 0 || minutes > 99 || seconds < 0 || seconds > 59 || frames < 0
        || frames >= framesPerSecond)
        return -1;
    return (minutes * 60 + seconds) * framesPerSecond + frames;
}

bool trackMode(const QString& mode, CueTrack& track)
{
    static const QList<std::pair<QString, int>> dataModes = {
        {QStringLiteral("MODE1/2048"), 2048}, {QStringLiteral("MODE1/2352"), 2352},
        {QStringLiteral("MODE2/2048"), 2048}, {QStringLiteral("MODE2/2324"), 2324},
        {QStringLiteral("MODE2/2336"), 2336}, {QStringLiteral("MODE2/2352"), 2352},
        {QStringLiteral("CDI/2336"), 2336},   {QStringLiteral("CDI/2352"), 2352},
    };
    track.audio = mode.compare(QLatin1String("AUDIO"), Qt::CaseInsensitive) == 0;
    track.sectorBytes = sectorBytes;
    if (track.audio)
        return true;
    for (const auto& [name, bytes] : dataModes) {
        if (mode.compare(name, Qt::CaseInsensitive) == 0) {
            track.sectorBytes = bytes;
            return true;
        }
    }
    return false;
}

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

    // An image has no tray: locking, ejecting and loading succeed and change nothing.
    Status setLocked(bool) override { return Status::Ok; }
    Status eject() override { return Status::Ok; }
    Status load() override { return Status::Ok; }

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
        qCWarning(lcCdAudio).noquote() << cuePath << "cannot be read as a disc image:" << reason;
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

} // namespace

std::optional<WaveData> waveData(QFile& file)
{
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    bool cdAudio = false;
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = file.peek(16);
            cdAudio = size >= 16 && format.size() == 16 && qFromLittleEndian<quint16>(format.constData()) == 1
                && qFromLittleEndian<quint16>(format.constData() + 2) == 2
                && qFromLittleEndian<quint32>(format.constData() + 4) == 44100
                && qFromLittleEndian<quint16>(format.constData() + 14) == 16;
        } else if (chunk.startsWith("data")) {
            if (!cdAudio)
                return std::nullopt;
            // A writer that could not go back to fill in the length (one writing to a pipe) leaves
            // all ones: the samples then run to the end of the file.
            return WaveData{file.pos(), std::min(size, file.size() - file.pos())};
        }
        if (!file.seek(file.pos() + size + (size & 1)))
            return std::nullopt;
    }
}

std::optional<CueSheet> parseCueSheet(const QString& text, QString* error)
{
    CueSheet sheet;
    const auto fail = [error](const QString& problem) {
        if (error)
            *error = problem;
        return std::nullopt;
    };
    const auto missingIndex = [&] {
        return !sheet.tracks.isEmpty() && sheet.tracks.last().index1 < 0;
    };
    int lineNumber = 0;
    for (const QString& line : text.split(u'\n')) {
        ++lineNumber;
        const QString at = QStringLiteral("line %1: ").arg(lineNumber);
        QStringList words = cueWords(QString(line).remove(QChar(0xFEFF)));
        if (words.isEmpty())
            continue;
        const QString keyword = words.takeFirst().toUpper();
        if (keyword == QLatin1String("FILE")) {
            if (words.size() < 2)
                return fail(at + QStringLiteral("FILE needs a name and a type"));
            const QString type = words.takeLast().toUpper();
            CueFile file{words.join(u' '), CueFile::Type::Binary};
            if (type == QLatin1String("WAVE"))
                file.type = CueFile::Type::Wave;
            else if (type != QLatin1String("BINARY"))
                return fail(at + QStringLiteral("files of type %1 cannot be read").arg(type));
            sheet.files.append(file);
        } else if (keyword == QLatin1String("TRACK")) {
            if (missingIndex())
                return fail(QStringLiteral("track %1 has no INDEX 01").arg(sheet.tracks.last().number));
            CueTrack track;
            bool ok = false;
            track.number = words.value(0).toInt(&ok);
            track.file = int(sheet.files.size()) - 1;
            track.index1 = -1;
            if (track.file < 0 || !ok || track.number < 1 || track.number > 99
                || (!sheet.tracks.isEmpty() && track.number <= sheet.tracks.last().number)
                || !trackMode(words.value(1), track))
                return fail(at + QStringLiteral("a TRACK line that names no track of a disc"));
            sheet.tracks.append(track);
        } else if (keyword == QLatin1String("INDEX") || keyword == QLatin1String("PREGAP")) {
            const bool index = keyword == QLatin1String("INDEX");
            const int time = cueTime(words.value(index ? 1 : 0));
            if (sheet.tracks.isEmpty() || time < 0)
                return fail(at + keyword + QStringLiteral(" without a track or a time"));
            CueTrack& track = sheet.tracks.last();
            if (!index)
                track.pregap = time;
            else if (words.value(0).toInt() == 1)
                track.index1 = time;
        }
        // Everything else (REM, TITLE, PERFORMER, FLAGS, ISRC, CATALOG, POSTGAP ...) leaves the audio alone.
    }
    if (sheet.tracks.isEmpty())
        return fail(QStringLiteral("no tracks"));
    if (missingIndex())
        return fail(QStringLiteral("track %1 has no INDEX 01").arg(sheet.tracks.last().number));
    return sheet;
}

std::unique_ptr<Drive> open(const QString& device, Status& status)
{
    if (device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return ImageDrive::open(device, status);
    return openDevice(device, status);
}

} // namespace CdAudio
