#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

// The time a queue still needs, from how fast its kinds of work have gone so far: seconds of media
// per second of work, measured per kind (a preset on sources with a picture, the same preset on
// sound alone, a disc burn). It guesses nothing: while a kind of work still ahead has not been
// measured, it knows no time. Times are milliseconds of one steady clock.
//
// A step's start (FFmpeg loading, an encoder filling its look-ahead) and the lag of its reports make
// its first seconds look slow. A finished step counts whole, start included, as the steps ahead
// will have theirs; the running one counts from its first report to its last.
class TimeLeft final {
    Q_DECLARE_TR_FUNCTIONS(TimeLeft)
public:
    // What a disc burn counts for in the queue, as seconds of media.
    static constexpr double burnLength = 600;

    // A step of some kind begins (a conversion, a burn); one runs at a time.
    void begin(const QString& kind, qint64 nowMs);
    // How much media the running step has done by now.
    void progress(double mediaSeconds, qint64 nowMs);
    // The running step ends: one that finished or failed counts its work, a cancelled one not.
    void end(qint64 nowMs, bool counts);

    // Seconds of work left for the media still to convert per kind, the running step's whole length
    // included (what it has done is taken off here); -1 while a kind ahead is unmeasured.
    [[nodiscard]] double secondsLeft(const QHash<QString, double>& mediaLeft) const;

    // The media still to convert per kind, from the queue's unfinished items as the pages list them:
    // rows of source word, frame size text and duration "hh:mm:ss".
    [[nodiscard]] static QHash<QString, double> mediaLeft(const QString& ffmpegArgs, const QStringList& unfinished);
    [[nodiscard]] static QString conversionKind(const QString& ffmpegArgs, const QString& sourceSize);
    [[nodiscard]] static QString burnKind(const QString& discType);

    // "About 4 min left"; "" for a negative time.
    [[nodiscard]] static QString text(double seconds);

private:
    struct Work {
        double media = 0;
        double seconds = 0;
    };
    // What has been done of a kind, the running step's part up to its last report included.
    [[nodiscard]] Work measured(const QString& kind) const;

    QHash<QString, Work> done;
    QString runningKind; // "" while no step runs
    qint64 runningSince = 0;
    double runningDone = 0;
    qint64 firstReportAt = -1;
    double firstReportDone = 0;
    Work running; // since the first report
};
