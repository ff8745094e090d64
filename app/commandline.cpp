#include "app/commandline.h"

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

Request failure(const QString& error)
{
    Request request;
    request.mode = Mode::Error;
    request.error = error;
    return request;
}

} // namespace

Request parse(const QStringList& arguments)
{
    Request request;
    bool listPresets = false;
    bool optionsEnded = false;
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
                return failure(QStringLiteral("--preset needs the id of a preset (see --list-presets)."));
        } else if (isOption(argument, QStringLiteral("--output")) || argument == QLatin1String("-o")) {
            if (!takeValue(arguments, at, argument == QLatin1String("-o") ? argument : QStringLiteral("--output"),
                           request.outputFolder))
                return failure(QStringLiteral("--output needs a folder."));
        } else {
            return failure(QStringLiteral("Unknown option: %1").arg(argument));
        }
    }

    if (listPresets) {
        if (!request.presetId.isEmpty() || !request.files.isEmpty())
            return failure(QStringLiteral("--list-presets takes no preset and no files."));
        request.mode = Mode::ListPresets;
    } else if (!request.presetId.isEmpty()) {
        if (request.files.isEmpty())
            return failure(QStringLiteral("No files to convert."));
        request.mode = Mode::Convert;
    } else if (!request.outputFolder.isEmpty()) {
        return failure(QStringLiteral("--output goes with --preset."));
    }
    return request;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: halvorn [FILE...]\n"
        "       halvorn --list-presets\n"
        "       halvorn --preset ID [--output DIR] FILE...\n"
        "\n"
        "Without options, opens the window and queues the files.\n"
        "\n"
        "  --list-presets      print every device and format with its presets (id, label, extension)\n"
        "  --preset ID         convert every FILE with this preset, one after another, without a window\n"
        "  -o, --output DIR    write the converted files into DIR (default: beside each source)\n"
        "  -h, --help          print this help\n"
        "  -v, --version       print the version\n"
        "\n"
        "Exit status: 0 when every file was converted, 1 when one failed, 2 for a wrong command line,\n"
        "130 when interrupted.\n");
}

} // namespace CommandLine
