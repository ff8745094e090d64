#include "platform/ownerlock.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcOwnerLock, "halvorn.platform.ownerlock")

namespace OwnerLock {

namespace {

constexpr auto entrySuffix = ".entry";

bool writeAll(int descriptor, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

QByteArray readAll(int descriptor)
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(descriptor, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        bytes.append(buffer, n);
    }
}

} // namespace

Entry::Entry(const QString& folder, const QByteArray& content)
{
    if (!QDir().mkpath(folder))
        return;
    // Made and locked under a name that takeAbandoned never looks at, then published by a rename,
    // which keeps the open file and so its lock.
    QByteArray name = QFile::encodeName(folder) + "/.new-XXXXXX";
    const int made = ::mkostemp(name.data(), O_CLOEXEC);
    if (made < 0) {
        qCWarning(lcOwnerLock) << "cannot make an entry in" << folder << std::strerror(errno);
        return;
    }
    const QByteArray published = QFile::encodeName(folder) + '/' + name.mid(name.lastIndexOf("-") + 1) + entrySuffix;
    if (::flock(made, LOCK_EX) != 0 || !writeAll(made, content)
        || !FileOps::renameIfFree(QFile::decodeName(name), QFile::decodeName(published))) {
        qCWarning(lcOwnerLock) << "cannot write the entry" << published << std::strerror(errno);
        ::unlink(name.constData());
        ::close(made);
        return;
    }
    descriptor = made;
    path = published;
}

Entry::~Entry()
{
    if (descriptor < 0)
        return;
    // Removed before the lock goes, so that whoever gets the lock next sees an entry already gone.
    ::unlink(path.constData());
    ::close(descriptor);
}

QList<QByteArray> takeAbandoned(const QString& folder)
{
    QList<QByteArray> contents;
    const QStringList names = QDir(folder).entryList({QLatin1String("*") + QLatin1String(entrySuffix)}, QDir::Files);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        struct stat status = {};
        // A lock that is free belongs to nobody; a free entry without a name was released by its
        // owner between the listing and the lock.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && ::fstat(descriptor, &status) == 0 && status.st_nlink > 0) {
            contents.append(readAll(descriptor));
            ::unlink(path.constData());
        }
        ::close(descriptor);
    }
    return contents;
}

} // namespace OwnerLock
