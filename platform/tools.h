#pragma once

#include <QString>
#include <QStringList>

class QByteArray;
class QProcess;

// The one place that finds external tools: beside the executable first, then the installed helper
// folder (<prefix>/libexec/halvorn), then PATH. Tests put their fakes first on PATH.
namespace Tools {

// The absolute path of the tool, or "" when it is nowhere.
[[nodiscard]] QString find(const QString& name);

// What becomes of a tool's standard output: read by its caller, or sent nowhere so that a pipe
// nobody reads cannot fill.
enum class Output { Discarded, Read };

// Prepares a process for a tool: it never waits on its standard input (a prompt would hang the
// queue) and it dies with the thread that started it, so that no tool outlives Halvorn.
void prepare(QProcess& process, Output output = Output::Discarded);

// What a tool printed, as text: UTF-8, as the file names in it are, cut at the first NUL byte.
[[nodiscard]] QString outputText(const QByteArray& bytes);

// How starting a tool went.
enum class Started { Running, NotInstalled, Failed };

// Finds the tool, prepares the process for it as prepare() does and starts it, so that a caller
// cannot start one that would outlive Halvorn. After Failed the process's errorString() says why.
[[nodiscard]] Started start(QProcess& process, const QString& name, const QStringList& arguments,
                            Output output = Output::Discarded);

// Waits for a started process to end, at most timeoutMs, giving up early when the current thread
// is asked to stop. A process still running then is killed and reaped. Returns whether it ended
// by itself.
bool waitOrKill(QProcess& process, int timeoutMs);

} // namespace Tools
