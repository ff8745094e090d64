#include "dvdrip/dvdtext.h"

#include <QCoreApplication>

namespace DvdText {

QString lastLine(const QString& errors)
{
    const QStringList lines = errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!line->trimmed().isEmpty())
            return line->trimmed();
    }
    return {};
}

QString damagedDisc()
{
    return QCoreApplication::translate("DvdText", "The disc's title information is damaged");
}

QList<qint64> parseTitleListing(const QString& listing)
{
    QList<qint64> lengths;
    const qsizetype titles = listing.indexOf(QLatin1String("TITLES:"));
    if (titles < 0)
        return lengths;
    const int count = listing.mid(titles + 8, 2).toInt();
    for (int number = 1; number <= count; ++number) {
        const qsizetype marker = listing.indexOf(QStringLiteral("TITLE_%1").arg(number, 2, 10, QLatin1Char('0')));
        const qsizetype length = marker < 0 ? -1 : listing.indexOf(QLatin1String("LENGTH"), marker);
        const qsizetype lineEnd = length < 0 ? -1 : listing.indexOf(QLatin1Char('\n'), length);
        bool ok = false;
        const qint64 ms = lineEnd < 0 ? 0 : listing.mid(length + 14, lineEnd - length - 14).toLongLong(&ok);
        if (!ok || ms < 0)
            break;
        lengths.append(ms);
    }
    return lengths;
}

QString lengthText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> parsePercent(const QString& chunk)
{
    const qsizetype sign = chunk.lastIndexOf(QLatin1Char('%'));
    if (sign < 0)
        return std::nullopt;
    QString figure = chunk.mid(qMax<qsizetype>(0, sign - 3), qMin<qsizetype>(3, sign));
    figure.remove(QLatin1Char('\b'));
    return figure.toInt();
}

int ripProgress(int percent, int position, int count)
{
    if (count <= 0)
        return 0;
    return int(percent / count + position * (100.0 / count));
}

QString safeFileLabel(const QString& label)
{
    QString safe;
    for (const QChar c : label) {
        const bool unfit = c.category() == QChar::Other_Control || c == QLatin1Char('/') || c == QLatin1Char('\\')
            || QStringLiteral(":*?\"<>|").contains(c);
        safe += unfit ? QLatin1Char('_') : c;
    }
    safe = safe.trimmed();
    while (safe.contains(QLatin1String("..")))
        safe.replace(QLatin1String(".."), QLatin1String("."));
    // A name of dots would stand for a folder, and a leading dot would hide the file.
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    return safe.isEmpty() ? QStringLiteral("DVD") : safe;
}

} // namespace DvdText
