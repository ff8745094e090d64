#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: the window (with the files to queue), or a job that needs no
// window and no display.
namespace CommandLine {

enum class Mode { Window, Help, Version, ListPresets, Convert, Error };

struct Request {
    Mode mode = Mode::Window;
    QString presetId;     // Convert: "" with a size to fit in, for the Fit to size format
    QString fitSize;      // Convert: the MB every output must fit in; "" for the preset's own
    QString outputFolder; // Convert: empty puts each output beside its source
    int jobs = 0;         // Convert: how many files at once; 0: one per processor
    bool quiet = false;   // Convert: print only failures
    QStringList files;    // Window: the arguments as given but Qt's options, filtered later; Convert: the inputs
    // Error: what is wrong, as the source text of its words (the translation is loaded only once
    // the mode is known), and the option or value it names.
    const char* error = nullptr;
    QString errorSubject;
};

// Reads the arguments as the process received them, the program's own path first. Needs no
// application object.
[[nodiscard]] Request parse(const QStringList& arguments);

// What is wrong with an Error request, in the user's language.
[[nodiscard]] QString errorText(const Request& request);

[[nodiscard]] QString helpText();

// Exit codes of the jobs without a window.
inline constexpr int exitSuccess = 0;
inline constexpr int exitFailed = 1;
inline constexpr int exitUsage = 2;
// Ended by a signal: 128 plus its number, as a shell reports a program that the signal killed
// (130 after Ctrl+C, 143 after SIGTERM, 129 after SIGHUP).
[[nodiscard]] constexpr int exitAfterSignal(int signalNumber)
{
    return 128 + signalNumber;
}

} // namespace CommandLine
