#include "platform/filetime.h"

#include <QFileInfo>

namespace FileTime {

QDateTime created(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QDateTime birth = info.birthTime();
    return (birth.isValid() ? birth : info.lastModified()).toUTC();
}

} // namespace FileTime
