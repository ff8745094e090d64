#pragma once

#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

// The probe: one long-lived worker that runs FFmpeg on each queued file for its report and a
// thumbnail, and answers each queued path with exactly one fileInfoReady, in queue order. Several
// files are probed at once (a probe mostly waits for FFmpeg to start), their replies held back
// until those of the files queued before them have gone.
class FileInfoThread final : public QThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileInfoThread)
public:
    // Twice the 88 x 66 that the list shows, so that a thumbnail stays sharp on a screen scaled by 2.
    static constexpr int thumbnailWidth = 176;
    static constexpr int thumbnailHeight = 132;
    // Two, or as many as there are processors.
    [[nodiscard]] static int probesAtOnce();

    explicit FileInfoThread(QObject* parent = nullptr);
    // Stops the probe under way (its FFmpeg is ended) and waits for the thread.
    ~FileInfoThread() override;

    // Queues a path and starts the worker when it is idle. Never waits for a probe.
    void enqueue(const QString& path);
    // Queues a path without starting the worker (FFmpeg is missing; the path waits for a later start).
    void keep(const QString& path);
    // Claims the first free thumbnail name in folder for the time t (seconds since 1970): t, then t
    // written twice, three times and so on. The empty file made is the claim, so that probes at the
    // same moment never share a picture. "" when the folder takes no file.
    [[nodiscard]] static QString claimThumbnailPath(const QString& folder, qint64 t);

signals:
    void fileInfoReady(QStringList fileInfo, QStringList fileVideoInfo, QStringList fileAudioInfo);

protected:
    void run() override;

private:
    struct Reply {
        QStringList fileInfo;
        QStringList video;
        QStringList audio;
    };
    [[nodiscard]] Reply probe(const QString& ffmpeg, const QString& path);
    // One of the lanes that probe at once: takes the next path nobody probes, until all are answered.
    void probeQueued(const QString& ffmpeg);

    QMutex lock;
    QWaitCondition changed;      // a path queued or answered
    QStringList queue;           // guarded by lock: paths not yet answered, oldest first
    qsizetype claimed = 0;       // guarded by lock: how many of the first paths a lane has taken
    quint64 answered = 0;        // guarded by lock: replies sent so far, which numbers the next
    QHash<quint64, Reply> ready; // guarded by lock: replies waiting for those before them
    bool sending = false;        // guarded by lock: a lane is sending replies
    bool busy = false;           // guarded by lock: the worker has work and will look at the queue again
};
