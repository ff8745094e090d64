#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Small files in a folder that say "a process is using this" for exactly as long as that process
// lives. The proof is a lock held by the kernel on the open file, so it ends with the process
// however the process ends, kill -9 and a power cut included: a later start can tell an entry left
// by a run that was killed from one of a run that is still going.
namespace OwnerLock {

// One entry holding a few bytes, locked from its creation until it is destroyed, which removes it.
// It appears under its final name only once it is locked and written, so that nobody ever takes
// a half-made entry for an abandoned one.
class Entry final {
public:
    Entry(const QString& folder, const QByteArray& content);
    ~Entry();
    Q_DISABLE_COPY_MOVE(Entry)

    // False when the entry could not be made (a folder that cannot be written).
    [[nodiscard]] bool isHeld() const { return descriptor >= 0; }

private:
    int descriptor = -1;
    QByteArray path;
};

// The contents of the entries in the folder whose process has ended; each entry is removed as it
// is read. Entries of processes that still run, this one included, are left alone.
[[nodiscard]] QList<QByteArray> takeAbandoned(const QString& folder);

} // namespace OwnerLock
