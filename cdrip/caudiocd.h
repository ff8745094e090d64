#pragma once

#include "platform/cdaudio.h"

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
    // be opened or read (nothing stays open then) or the disc has no tracks; OpenFailure says why.
    bool OpenDrive(const QString& device);
    // The same for a drive already at hand (a simulated one); device names it in the log.
    bool OpenDrive(std::unique_ptr<CdAudio::Drive> opened, const QString& device);
    void CloseDrive();
    [[nodiscard]] bool IsOpen() const { return drive != nullptr; }
    // Why the last OpenDrive failed, for the user.
    [[nodiscard]] QString OpenFailure() const { return openFailure; }
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
    // extracted when StopExtracting ended it, or when the drive could not read the last track's
    // final sectors before the lead-out. Any other failure leaves no file; when the file could not
    // be written (a full disk), WriteFailure says why.
    bool ExtractTrack(int track, const QString& fileName);
    // Why the last ExtractTrack could not write its file, for the user; empty when it could.
    [[nodiscard]] QString WriteFailure() const { return writeFailure; }
    // Ends the extraction under way after its current block; safe from any thread.
    void StopExtracting() { keepExtracting = false; }

    // The tracks a table of contents describes: from each entry's address to the next one's.
    [[nodiscard]] static QList<Track> tracksFromToc(const CdAudio::Toc& toc);

signals:
    void fileProgress(int percentage);

private:
    [[nodiscard]] bool hasAudioTrack(int track) const;
    [[nodiscard]] static QString statusSentence(CdAudio::Status status, const QString& device);

    std::atomic_bool keepExtracting = false;
    std::unique_ptr<CdAudio::Drive> drive;
    QList<Track> tracks;
    QString openFailure;
    QString writeFailure;
};

// What the user is told when a file could not be written for the system's error code.
[[nodiscard]] QString writeFailureText(int error);
