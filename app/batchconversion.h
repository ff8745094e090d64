#pragma once

#include "app/commandline.h"
#include "convert/mediaheader.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

class ConversionThread;

// Converts files with one preset and no window, the way the window's queue does: the same argument
// assembly and frame fitting, the same runner with its output check and its never-overwriting
// names. Several files at once, one per processor unless told otherwise; a picture encoder, which
// keeps every processor busy by itself, then works alone. Prints a line per finished file (a
// failure on standard error) and a summary.
class BatchConversion final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchConversion)
public:
    BatchConversion(QTextStream& out, QTextStream& err, bool terminal);
    ~BatchConversion() override;

    // Runs the job to its end and returns the process's exit code.
    [[nodiscard]] int convert(const CommandLine::Request& request);
    // Every device and format with its presets, as a table.
    [[nodiscard]] static int listPresets(QTextStream& out, QTextStream& err);

    // A request to end (Ctrl+C, SIGTERM, SIGHUP): every running conversion is cancelled, which
    // ends its FFmpeg and removes its unfinished file; nothing more starts.
    void interrupt(int signalNumber);

    // Every job without a window: help, version, the preset table, a conversion, or a usage error.
    [[nodiscard]] static int run(int& argc, char** argv, const CommandLine::Request& request);

private:
    // One conversion at a time on its own worker.
    struct Job {
        ConversionThread* worker = nullptr;
        qsizetype item = -1; // the input being converted; -1 while idle
        bool alone = false;  // no other conversion runs beside this one
        qint64 lengthMs = -1;
        int seconds = 0;
        QElapsedTimer clock;
    };

    // Starts the next files on idle workers, as far as the jobs allow.
    void startMore();
    void completed(Job& job, bool ok, const QString& output, const QString& error);
    void finishItem(qsizetype item, const QString& result, bool failure);
    void showProgress();
    void clearProgress();

    QTextStream& out;
    QTextStream& err;
    const bool terminal;
    bool quiet = false;
    std::vector<Job> jobs;
    QStringList inputs;
    QStringList preset; // one catalogue row: id, label, ..., extension (4), arguments (8)
    QString outputFolder;
    bool jobsChosen = false; // the command line set how many files go at once
    qsizetype next = 0;
    std::optional<MediaHeader::Facts> nextSource; // what the next file's header says, once read
    int finished = 0;
    int converted = 0;
    int failed = 0;
    int interruptedBy = 0; // the signal that ended the run; 0 while none did
};
