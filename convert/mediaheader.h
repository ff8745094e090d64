#pragma once

#include <QString>

// What a media file's header says, read in-process with FFmpeg's own demuxing library: the same
// facts that FFmpeg prints when given the file as its only input, without starting it.
namespace MediaHeader {

struct Facts {
    QString error;             // why the file cannot be read as media, in FFmpeg's words; "" when it can
    bool video = false;        // holds a picture stream (a cover picture counts, as in FFmpeg's report)
    bool audio = false;
    QString frameSize;         // "WxH" of the first picture stream; "" without one
    double frameRate = 0;      // of the first picture stream, frames a second; 0 when unknown
    int audioChannels = 0;     // of the first sound stream; 0 without one
    qint64 durationMs = -1;    // -1 when unknown
    bool durationEstimated = false; // only guessed from the bitrate, so it can be far off either way
};

// Reads the header and, as FFmpeg does, as much of the start as the streams need to be known.
// Blocks for as long as the file takes to read; safe on any thread.
[[nodiscard]] Facts read(const QString& path);

} // namespace MediaHeader
