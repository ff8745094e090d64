#pragma once

#include "platform/cdaudio.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

// An audio CD in a drive (or a disc image): its tracks from the table of contents, and each
// track's digital audio extracted sector by sector into a WAV file. While it is open the tray
// stays locked.
class CAudioCD final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAudioCD)
public:
    // Sectors per read: 47040 bytes, about a quarter of a second of sound.
    static constexpr int blockSectors = 20;

    struct Track {
        quint32 startSector = 0;
        quint32 sectorCount = 0;
        bool audio = true;
    };

    // Opens the drive at once when one is named.
    explicit CAudioCD(const QString& device = {}, QObject* parent = nullptr);
    ~CAudioCD() override;

    // Closes first; then opens, locks the tray and reads the tracks. False when the drive cannot
    // be opened or read (nothing stays open then) or the disc has no tracks.
    bool OpenDrive(const QString& device);
    // The same for a drive already at hand (a simulated one); device names it in the log.
    bool OpenDrive(std::unique_ptr<CdAudio::Drive> opened, const QString& device);
    void CloseDrive();
    [[nodiscard]] bool IsOpen() const { return drive != nullptr; }
    // The number of tracks; -1 when closed. Tracks are counted from 0 in disc order.
    [[nodiscard]] int TrackCount() const;
    [[nodiscard]] int TrackSeconds(int track) const;
    [[nodiscard]] qint64 TrackBytes(int track) const;
    // A data track is listed but holds no sound: reading it as audio gives noise.
    [[nodiscard]] bool IsAudioTrack(int track) const;
    bool LockDrive();
    bool UnlockDrive();
    // With a device: whether that drive holds a readable disc. Without: the open drive.
    [[nodiscard]] bool IsMediaReady(const QString& device = {});
    // Writes the track as a new WAV file, reporting fileProgress once per block. A track cut
    // short keeps what was read, under a header that says exactly that much; it counts as
    // extracted when StopExtracting or the last track's lead-out (which some drives cannot reach)
    // ended it, not when an unreadable stretch did.
    bool ExtractTrack(int track, const QString& fileName);
    // Ends the extraction under way after its current block; safe from any thread.
    void StopExtracting() { keepExtracting = false; }

    // The tracks a table of contents describes: from each entry's address to the next one's.
    [[nodiscard]] static QList<Track> tracksFromToc(const CdAudio::Toc& toc);

signals:
    void fileProgress(int percentage);

private:
    [[nodiscard]] bool hasAudioTrack(int track) const;

    std::atomic_bool keepExtracting = false;
    std::unique_ptr<CdAudio::Drive> drive;
    QList<Track> tracks;
};

// The 44-byte header of a PCM WAV file that holds dataSize bytes of samples.
[[nodiscard]] QByteArray wavHeader(int sampleRate, int bitsPerSample, int channels, quint32 dataSize);
