#include "platform/tools.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace Tools {

QString find(const QString& name)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList local = {appDir, appDir + QStringLiteral("/../libexec/halvorn")};
    const QString beside = QStandardPaths::findExecutable(name, local);
    if (!beside.isEmpty())
        return QFileInfo(beside).canonicalFilePath();
    return QStandardPaths::findExecutable(name);
}

void prepare(QProcess& process)
{
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
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

} // namespace Tools
