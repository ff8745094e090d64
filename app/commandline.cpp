#include "app/commandline.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

namespace CommandLine {

namespace {

// "--name value" or "--name=value"; advances past the value. False when the value is missing.
bool takeValue(const QStringList& arguments, qsizetype& at, const QString& name, QString& value)
{
    const QString& argument = arguments.at(at);
    if (argument.startsWith(name + QLatin1Char('='))) {
        value = argument.mid(name.size() + 1);
        return !value.isEmpty();
    }
    if (at + 1 >= arguments.size())
        return false;
    value = arguments.at(++at);
    return !value.isEmpty();
}

bool isOption(const QString& argument, const QString& name)
{
    return argument == name || argument.startsWith(name + QLatin1Char('='));
}

// Qt's own options, which the application object takes from the same command line: a desktop's
// session restore starts us with "-session <id>", a user may ask for "-style fusion". They are
// neither files nor mistakes, and neither are their values. Qt also takes them with two dashes.
bool skipToolkitOption(const QStringList& arguments, qsizetype& at)
{
    static const QStringList withValue = {
        QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
        QStringLiteral("-plugin"), QStringLiteral("-qmljsdebugger"), QStringLiteral("-style"),
        QStringLiteral("-stylesheet"), QStringLiteral("-session"), QStringLiteral("-display"),
        QStringLiteral("-geometry"), QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"), QStringLiteral("-title"), QStringLiteral("-name"), QStringLiteral("-font"),
        QStringLiteral("-fn"), QStringLiteral("-bg"), QStringLiteral("-background"), QStringLiteral("-fg"),
        QStringLiteral("-foreground"), QStringLiteral("-btn"), QStringLiteral("-button"), QStringLiteral("-visual"),
        QStringLiteral("-im"), QStringLiteral("-inputstyle")};
    static const QStringList flags = {QStringLiteral("-reverse"), QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                      QStringLiteral("-sync"), QStringLiteral("-widgetcount"), QStringLiteral("-cmap")};
    // The forms with the value joined that Qt reads.
    static const QStringList joined = {QStringLiteral("-style="), QStringLiteral("-stylesheet="),
                                       QStringLiteral("-qmljsdebugger=")};
    const QString& argument = arguments.at(at);
    const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
    if (flags.contains(option))
        return true;
    if (std::any_of(joined.cbegin(), joined.cend(), [&](const QString& form) { return option.startsWith(form); }))
        return true;
    if (!withValue.contains(option))
        return false;
    if (at + 1 < arguments.size())
        ++at;
    return true;
}

class Message {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

Request failure(const char* error, const QString& subject = {})
{
    Request request;
    request.mode = Mode::Error;
    request.error = error;
    request.errorSubject = subject;
    return request;
}

} // namespace

Request parse(const QStringList& arguments)
{
    Request request;
    bool listPresets = false;
    bool optionsEnded = false;
    QString batchOption; // the first option that only a conversion takes
    const auto noteBatchOption = [&batchOption](const QString& option) {
        if (batchOption.isEmpty())
            batchOption = option;
    };
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QString& argument = arguments.at(at);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            request.files.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            request.mode = Mode::Help;
            return request;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            request.mode = Mode::Version;
            return request;
        } else if (argument == QLatin1String("--list-presets")) {
            listPresets = true;
        } else if (isOption(argument, QStringLiteral("--preset"))) {
            if (!takeValue(arguments, at, QStringLiteral("--preset"), request.presetId))
                return failure(QT_TRANSLATE_NOOP("CommandLine", "--preset needs the id of a preset (see --list-presets)."));
        } else if (isOption(argument, QStringLiteral("--fit-size"))) {
            bool isNumber = false;
            if (!takeValue(arguments, at, QStringLiteral("--fit-size"), request.fitSize)
                || !(request.fitSize.toDouble(&isNumber) > 0) || !isNumber)
                return failure(QT_TRANSLATE_NOOP("CommandLine", "--fit-size needs a size in MB above 0, such as 8 or 7.5."));
        } else if (isOption(argument, QStringLiteral("--output")) || argument == QLatin1String("-o")) {
            if (!takeValue(arguments, at, argument == QLatin1String("-o") ? argument : QStringLiteral("--output"),
                           request.outputFolder))
                return failure(QT_TRANSLATE_NOOP("CommandLine", "--output needs a folder."));
            noteBatchOption(QStringLiteral("--output"));
        } else if (isOption(argument, QStringLiteral("--jobs")) || argument.startsWith(QLatin1String("-j"))) {
            // "-j 4", "-j4", "--jobs 4", "--jobs=4"
            QString count = argument.startsWith(QLatin1String("--")) || argument.size() == 2 ? QString() : argument.mid(2);
            if (count.isEmpty())
                takeValue(arguments, at, argument.startsWith(QLatin1String("--")) ? QStringLiteral("--jobs") : argument, count);
            bool isNumber = false;
            request.jobs = count.toInt(&isNumber);
            if (!isNumber || request.jobs < 1)
                return failure(QT_TRANSLATE_NOOP("CommandLine", "--jobs needs a number of files to convert at once, 1 or more."));
            noteBatchOption(QStringLiteral("--jobs"));
        } else if (argument == QLatin1String("-q") || argument == QLatin1String("--quiet")) {
            request.quiet = true;
            noteBatchOption(QStringLiteral("--quiet"));
        } else if (!skipToolkitOption(arguments, at)) {
            return failure(QT_TRANSLATE_NOOP("CommandLine", "Unknown option: %1"), argument);
        }
    }

    if (listPresets) {
        if (!request.presetId.isEmpty() || !request.fitSize.isEmpty() || !request.files.isEmpty())
            return failure(QT_TRANSLATE_NOOP("CommandLine", "--list-presets takes no preset and no files."));
        request.mode = Mode::ListPresets;
    } else if (!request.presetId.isEmpty() || !request.fitSize.isEmpty()) {
        if (request.files.isEmpty())
            return failure(QT_TRANSLATE_NOOP("CommandLine", "No files to convert."));
        request.mode = Mode::Convert;
    } else if (!batchOption.isEmpty()) {
        return failure(QT_TRANSLATE_NOOP("CommandLine", "%1 goes with --preset or --fit-size."), batchOption);
    }
    return request;
}

QString errorText(const Request& request)
{
    const QString text = Message::tr(request.error);
    return request.errorSubject.isEmpty() ? text : text.arg(request.errorSubject);
}

QString helpText()
{
    return Message::tr("Usage: halvorn [FILE...]\n"
              "       halvorn --list-presets\n"
              "       halvorn --preset ID [--fit-size MB] [-o DIR] [-j N] [-q] [--] FILE...\n"
              "       halvorn --fit-size MB [-o DIR] [-j N] [-q] [--] FILE...\n"
              "\n"
              "Without options, opens the window and queues the files.\n"
              "\n"
              "  --list-presets      print every device and format with its presets (id, label, extension)\n"
              "  --preset ID         convert every FILE with this preset, without a window\n"
              "  --fit-size MB       make every output at most MB megabytes (of 1,000,000 bytes): H.264 in\n"
              "                      two passes, picture and sound planned from each FILE; alone, with the\n"
              "                      Fit to size format; with --preset, instead of the size of a Fit to size\n"
              "                      preset, or within the frame and container of an H.264 preset\n"
              "  -o, --output DIR    write the converted files into DIR (default: beside each source)\n"
              "  -j, --jobs N        convert N files at once (default: one per processor, here %1,\n"
              "                      and a file whose picture is encoded alone)\n"
              "  -q, --quiet         print only failures\n"
              "  --                  the arguments that follow are files, even those that start with \"-\"\n"
              "  -h, --help          print this help\n"
              "  -v, --version       print the version\n"
              "\n"
              "Exit status: 0 when every file was converted, 1 when one failed, 2 for a wrong command line,\n"
              "130 after Ctrl+C, 143 after SIGTERM, 129 after SIGHUP.\n")
        .arg(QThread::idealThreadCount());
}

} // namespace CommandLine
