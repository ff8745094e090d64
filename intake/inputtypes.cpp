#include "intake/inputtypes.h"

#include <QCoreApplication>
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
    // The common suffixes of audio and video that FFmpeg reads (the batch mode converts whatever it
    // reads); the menu entry offers Halvorn for exactly their types. "cda" is here so that a dragged
    // CD track is let in and then refused with an explanation.
    static const QStringList suffixes = {
        QStringLiteral("3g2"),  QStringLiteral("3gp"),  QStringLiteral("3gpp"), QStringLiteral("3gpp2"),
        QStringLiteral("aa"),   QStringLiteral("aac"),  QStringLiteral("aax"),  QStringLiteral("ac3"),
        QStringLiteral("aif"),  QStringLiteral("aifc"), QStringLiteral("aiff"), QStringLiteral("amr"),
        QStringLiteral("ape"),  QStringLiteral("asf"),  QStringLiteral("au"),   QStringLiteral("avi"),
        QStringLiteral("caf"),  QStringLiteral("cda"),  QStringLiteral("divx"), QStringLiteral("dts"),
        QStringLiteral("dv"),   QStringLiteral("eac3"), QStringLiteral("f4a"),  QStringLiteral("f4b"),
        QStringLiteral("f4p"),  QStringLiteral("f4v"),  QStringLiteral("flac"), QStringLiteral("flv"),
        QStringLiteral("lrv"),  QStringLiteral("m1a"),  QStringLiteral("m1v"),  QStringLiteral("m2a"),
        QStringLiteral("m2t"),  QStringLiteral("m2ts"), QStringLiteral("m4a"),  QStringLiteral("m4b"),
        QStringLiteral("m4p"),  QStringLiteral("m4r"),  QStringLiteral("m4v"),  QStringLiteral("mk3d"),
        QStringLiteral("mka"),  QStringLiteral("mkv"),  QStringLiteral("mov"),  QStringLiteral("mp1"),
        QStringLiteral("mp2"),  QStringLiteral("mp3"),  QStringLiteral("mp4"),  QStringLiteral("mpa"),
        QStringLiteral("mpc"),  QStringLiteral("mpeg"), QStringLiteral("mpg"),  QStringLiteral("mpv"),
        QStringLiteral("mts"),  QStringLiteral("mxf"),  QStringLiteral("oga"),  QStringLiteral("ogg"),
        QStringLiteral("ogm"),  QStringLiteral("ogv"),  QStringLiteral("ogx"),  QStringLiteral("opus"),
        QStringLiteral("qcp"),  QStringLiteral("qt"),   QStringLiteral("ra"),   QStringLiteral("ram"),
        QStringLiteral("rm"),   QStringLiteral("rmvb"), QStringLiteral("snd"),  QStringLiteral("spx"),
        QStringLiteral("swf"),  QStringLiteral("ts"),   QStringLiteral("tta"),  QStringLiteral("vob"),
        QStringLiteral("wav"),  QStringLiteral("weba"), QStringLiteral("webm"), QStringLiteral("wma"),
        QStringLiteral("wmv"),  QStringLiteral("wtv"),  QStringLiteral("wv"),   QStringLiteral("xvid"),
    };
    return suffixes;
}

NamedFiles filterCommandLine(const QStringList& arguments)
{
    // In any letter case, as a drop is judged: cameras and file managers hand over "CLIP.MOV".
    NamedFiles files;
    for (const QString& argument : arguments) {
        const qsizetype dot = argument.lastIndexOf(QLatin1Char('.'));
        const QString suffix = dot < 0 ? argument : argument.mid(dot + 1);
        (acceptedSuffixes().contains(suffix.toLower()) ? files.accepted : files.refused).append(argument);
    }
    return files;
}

QString refusalMessage(const QStringList& refused)
{
    // A folder of hundreds of documents handed over must not make a box taller than the screen.
    constexpr qsizetype namesShown = 10;
    QStringList names;
    for (const QString& path : refused.mid(0, namesShown))
        names.append(QFileInfo(path).fileName());
    const QString list = names.join(QStringLiteral(", ")) + (refused.size() > namesShown ? QStringLiteral(", …") : QString());
    if (refused.size() == 1)
        return QCoreApplication::translate("InputTypes", "1 file was not added: %1 is not an audio or video file").arg(list);
    return QCoreApplication::translate("InputTypes", "%n files were not added: %1 are not audio or video files", nullptr,
                                       int(refused.size())).arg(list);
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
