#include "intake/inputtypes.h"

#include <QDir>
#include <QFileInfo>

namespace InputTypes {

namespace {

// The text after the last "." of a path's last segment; empty when it has none.
QString suffixOfName(const QString& path)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

} // namespace

const QStringList& acceptedSuffixes()
{
    // "cda" is here so that a dragged CD track is let in and then refused with an explanation.
    static const QStringList suffixes = {
        QStringLiteral("3g2"),  QStringLiteral("3gp"),  QStringLiteral("aa"),   QStringLiteral("aac"),
        QStringLiteral("aax"),  QStringLiteral("aif"),  QStringLiteral("aifc"), QStringLiteral("aiff"),
        QStringLiteral("amr"),  QStringLiteral("avi"),  QStringLiteral("cda"),  QStringLiteral("divx"),
        QStringLiteral("f4a"),  QStringLiteral("f4b"),  QStringLiteral("f4p"),  QStringLiteral("f4v"),
        QStringLiteral("flac"), QStringLiteral("flv"),  QStringLiteral("m1a"),  QStringLiteral("m1v"),
        QStringLiteral("m2a"),  QStringLiteral("m2ts"), QStringLiteral("m4a"),  QStringLiteral("m4b"),
        QStringLiteral("m4p"),  QStringLiteral("m4r"),  QStringLiteral("m4v"),  QStringLiteral("mk3d"),
        QStringLiteral("mka"),  QStringLiteral("mkv"),  QStringLiteral("mov"),  QStringLiteral("mp1"),
        QStringLiteral("mp2"),  QStringLiteral("mp3"),  QStringLiteral("mp4"),  QStringLiteral("mpa"),
        QStringLiteral("mpeg"), QStringLiteral("mpg"),  QStringLiteral("mpv"),  QStringLiteral("mts"),
        QStringLiteral("oga"),  QStringLiteral("ogg"),  QStringLiteral("ogv"),  QStringLiteral("ogx"),
        QStringLiteral("qcp"),  QStringLiteral("qt"),   QStringLiteral("ra"),   QStringLiteral("ram"),
        QStringLiteral("rm"),   QStringLiteral("spx"),  QStringLiteral("swf"),  QStringLiteral("vob"),
        QStringLiteral("wav"),  QStringLiteral("webm"), QStringLiteral("wma"),  QStringLiteral("wmv"),
        QStringLiteral("xvid"),
    };
    return suffixes;
}

QStringList filterCommandLine(const QStringList& arguments)
{
    QStringList accepted;
    for (const QString& argument : arguments) {
        const qsizetype dot = argument.lastIndexOf(QLatin1Char('.'));
        const QString suffix = dot < 0 ? argument : argument.mid(dot + 1);
        if (acceptedSuffixes().contains(suffix))
            accepted.append(argument);
    }
    return accepted;
}

bool isDragAcceptable(const QList<QUrl>& urls)
{
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl& url) {
        return acceptedSuffixes().contains(suffixOfName(url.path()).toLower());
    });
}

DropResult filterDrop(const QList<QUrl>& urls)
{
    DropResult result;
    for (const QUrl& url : urls) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        const QString suffix = suffixOfName(path).toLower();
        if (suffix == QLatin1String("cda"))
            result.cdTrackDropped = true;
        else if (acceptedSuffixes().contains(suffix))
            result.paths.append(QDir::toNativeSeparators(path));
    }
    return result;
}

} // namespace InputTypes
