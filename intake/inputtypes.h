#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// The kinds of file Halvorn takes in: one list of lower-case suffixes shared by the drop target and
// the command line.
namespace InputTypes {

[[nodiscard]] const QStringList& acceptedSuffixes();

// Files named on the command line or handed over by a later start: an entry is accepted when its
// text after the last "." (the whole entry when it has none) is an accepted suffix in any letter
// case, so "B.MP3" passes, and so does the bare word "mp3". Both lists keep the given order.
struct NamedFiles {
    QStringList accepted;
    QStringList refused;
};
[[nodiscard]] NamedFiles filterCommandLine(const QStringList& arguments);

// What the window says, once, about the files it did not add: which, and why.
[[nodiscard]] QString refusalMessage(const QStringList& refused);

// A drag may enter when at least one item's name ends in an accepted suffix, in any letter case.
// Only names are looked at: a web link ending in ".mp4" passes here and adds nothing on drop.
[[nodiscard]] bool isDragAcceptable(const QList<QUrl>& urls);

struct DropResult {
    QStringList paths; // accepted local files that exist, with native separators, in drag order
    bool cdTrackDropped = false; // a ".cda" was among them: it cannot be read as a file
};
[[nodiscard]] DropResult filterDrop(const QList<QUrl>& urls);

} // namespace InputTypes
