#include "platform/tools.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace Tools {

QString find(const QString& name)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList local = {appDir, appDir + QStringLiteral("/" HALVORN_BIN_TO_HELPERS)};
    const QString beside = QStandardPaths::findExecutable(name, local);
    if (!beside.isEmpty())
        return QFileInfo(beside).canonicalFilePath();
    return QStandardPaths::findExecutable(name);
}

void prepare(QProcess& process, Output output)
{
    process.setStandardInputFile(QProcess::nullDevice());
    if (output == Output::Discarded)
        process.setStandardOutputFile(QProcess::nullDevice());
    // The tool is killed when the thread that started it ends, however Halvorn ends (even by
    // SIGKILL), so that no FFmpeg writes on for a program that is gone. Every thread that starts a
    // tool waits for it before it ends. A parent that died before the request was made is caught
    // by the parent check.
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
    });
}

Started start(QProcess& process, const QString& name, const QStringList& arguments, Output output)
{
    const QString program = find(name);
    if (program.isEmpty())
        return Started::NotInstalled;
    prepare(process, output);
    process.start(program, arguments);
    return process.waitForStarted() ? Started::Running : Started::Failed;
}

bool waitOrKill(QProcess& process, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && !QThread::currentThread()->isInterruptionRequested()) {
        if (process.waitForFinished(100) || process.state() == QProcess::NotRunning)
            return true;
    }
    process.kill();
    process.waitForFinished(-1);
    return false;
}

QString outputText(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

} // namespace Tools
