#pragma once

#include "platform/ownerlock.h"

#include <QString>

#include <optional>

// The journal of the hidden working files that conversions and disc image writes fill before
// they get their final names. A run that is killed (kill -9, a crash, a power cut) cannot delete
// its working file; the journal lets the next start of Halvorn, the window's or the batch mode's,
// find and delete it. Every entry is held by its run for as long as that run lives, so runs at the
// same time, in other processes too, never delete each other's files.
namespace WorkingFiles {

// Registers a working file, or a working folder (a two-pass encode's pass files), for as long as
// it lives; destroyed once it has been renamed or removed. An empty path registers nothing.
class Registration final {
public:
    explicit Registration(const QString& workingFile);
    Q_DISABLE_COPY_MOVE(Registration)

private:
    std::optional<OwnerLock::Entry> entry;
};

// Deletes the working files of runs that ended without cleaning up. Called at every start.
void removeAbandoned();

} // namespace WorkingFiles
