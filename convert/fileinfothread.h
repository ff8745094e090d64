#pragma once

#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>

// The probe: one long-lived worker that runs FFmpeg on each queued file for its report and a
// thumbnail, and answers each queued path with exactly one fileInfoReady, in queue order.
class FileInfoThread final : public QThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileInfoThread)
public:
    // Twice the 88 x 66 that the list shows, so that a thumbnail stays sharp on a screen scaled by 2.
    static constexpr int thumbnailWidth = 176;
    static constexpr int thumbnailHeight = 132;

    explicit FileInfoThread(QObject* parent = nullptr);
    // Stops the probe under way (its FFmpeg is ended) and waits for the thread.
    ~FileInfoThread() override;

    // Queues a path and starts the worker when it is idle. Never waits for a probe.
    void enqueue(const QString& path);
    // Queues a path without starting the worker (FFmpeg is missing; the path waits for a later start).
    void keep(const QString& path);
    // Whether the probes make thumbnails (they do unless told otherwise): only the window shows them,
    // and each costs FFmpeg runs.
    void setMakeThumbnails(bool make) { makeThumbnails = make; }

    // The first free thumbnail name in folder for the time t (seconds since 1970): t, then t written
    // twice, three times and so on.
    [[nodiscard]] static QString thumbnailPath(const QString& folder, qint64 t);
    // FFmpeg's report on a file (what it prints when given the file as its only input); empty
    // when FFmpeg cannot be started. Blocks for as long as FFmpeg takes, at most half a minute.
    [[nodiscard]] static QString report(const QString& ffmpeg, const QString& path);

signals:
    void fileInfoReady(QStringList fileInfo, QStringList fileVideoInfo, QStringList fileAudioInfo);

protected:
    void run() override;

private:
    void probe(const QString& ffmpeg, const QString& path);
    [[nodiscard]] bool takeNext(QString& path);

    QMutex lock;
    QStringList queue;  // guarded by lock
    bool busy = false;  // guarded by lock: the worker has work and will look at the queue again
    std::atomic_bool makeThumbnails = true;
};
