#pragma once

#include "convert/conversionthread.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// A file that the media script generated.
inline QString testMedia(const QString& name)
{
    return QStringLiteral(HALVORN_TEST_MEDIA "/") + name;
}

// Whether any running process names the text on its command line: whether an FFmpeg writing
// that output is still at work. The conversion runner writes an output under a hidden working
// name beside it; naming that counts as naming the output.
inline bool anyProcessMentions(const QString& text)
{
    const QByteArray working = ConversionThread::workingPathPrefix(text).toUtf8();
    QDirIterator processes("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        QFile cmdline(processes.next() + "/cmdline");
        const QByteArray line = cmdline.open(QIODevice::ReadOnly) ? cmdline.readAll() : QByteArray();
        if (line.contains(text.toUtf8()) || line.contains(working))
            return true;
    }
    return false;
}

// What FFmpeg's own probe says of a file.
inline QString ffmpegReport(const QString& path)
{
    QProcess probe;
    probe.start("ffmpeg", {"-hide_banner", "-i", path});
    probe.waitForFinished(30000);
    return QString::fromUtf8(probe.readAllStandardError());
}

// What ffprobe says of the entries asked for ("format=duration"): a line per stream, values joined by commas.
inline QString probe(const QString& path, const QString& entries)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries", entries, "-of", "csv=p=0", path});
    ffprobe.waitForFinished(30000);
    return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

// A file's streams as "h264 640x360, aac 2": codec and picture size or sound channels.
inline QString probeStreams(const QString& path)
{
    static const QRegularExpression size("^(\\w+),(\\d+),", QRegularExpression::MultilineOption);
    return probe(path, "stream=codec_name,width,height,channels").replace(size, "\\1 \\2x").replace(',', ' ').replace('\n', ", ");
}
