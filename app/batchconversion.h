#pragma once

#include "app/commandline.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTextStream>

class ConversionThread;
class FileInfoThread;

// Converts files with one preset and no window, the way the window's queue does: the same probe,
// the same argument assembly and frame fitting, the same runner with its never-overwriting names
// and its run log. Prints a line per item and a summary.
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

    // Ctrl+C: the running conversion is cancelled (its unfinished output removed) and the job ends.
    void interrupt();

    // Every job without a window: help, version, the preset table, a conversion, or a usage error.
    [[nodiscard]] static int run(int& argc, char** argv, const CommandLine::Request& request);

private:
    struct Item {
        QString input;
        QStringList fileInfo;
        QStringList video;
        QStringList audio;
        bool probed = false;
    };

    void probed(const QStringList& fileInfo, const QStringList& video, const QStringList& audio);
    void startNext();
    void progress(int seconds);
    void completed(bool ok, const QString& output, const QString& error);
    void finishItem(const QString& result);

    QTextStream& out;
    QTextStream& err;
    const bool terminal;
    FileInfoThread* probe;
    ConversionThread* converter;
    QList<Item> items;
    QStringList preset; // one catalogue row: id, label, ..., extension (4), arguments (8)
    QString outputFolder;
    qsizetype current = 0;
    bool running = false;
    bool interrupted = false;
    int converted = 0;
    int failed = 0;
    QElapsedTimer itemClock;
};
