#include "dvdrip/dvdripthread.h"

#include "dvdrip/dvdtext.h"
#include "platform/folders.h"
#include "platform/tools.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>

Q_LOGGING_CATEGORY(lcDvdRip, "halvorn.dvdrip")

DVDRipThread::DVDRipThread(QObject* parent)
    : RipThread(parent)
{
}

DVDRipThread::~DVDRipThread()
{
    cancel();
    wait();
}

void DVDRipThread::setTitles(const QString& drive, const QStringList& titleNumbers, const QString& volumeLabel,
                             const QStringList& titleLengths)
{
    this->drive = drive;
    this->titleNumbers = titleNumbers;
    this->volumeLabel = volumeLabel;
    this->titleLengths = titleLengths;
    // Armed here rather than in run(), so that a cancel that comes before the thread runs counts.
    running = true;
}

void DVDRipThread::run()
{
    const int count = int(titleNumbers.size());
    emit ripStarted(count);
    const QString folder = Folders::makeRipFolder(Folders::tempFolder(), QDateTime::currentSecsSinceEpoch());
    if (folder.isEmpty()) {
        emit error(tr("No rip folder could be made in %1.").arg(Folders::tempFolder()));
        return;
    }
    QStringList failures;
    for (int i = 0; i < count; ++i) {
        emit ripTitleStarted(i + 1);
        if (!running)
            continue; // a cancelled rip starts no further tool
        const QString output = folder + QLatin1Char('/') + DvdText::safeFileLabel(volumeLabel)
            + QStringLiteral("_Title_") + titleNumbers.at(i) + QStringLiteral(".vob");
        const QString failure = ripTitle(i, output);
        if (!running)
            continue;
        if (failure.isEmpty()) {
            emit ripTitleFinished(output, titleLengths.value(i));
        } else {
            qCWarning(lcDvdRip) << "title" << titleNumbers.at(i) << "of" << drive << "failed:" << failure;
            failures.append(tr("Title %1 could not be ripped: %2").arg(titleNumbers.at(i), failure));
        }
    }
    // A rip that kept nothing leaves no folder behind.
    QDir().rmdir(folder);
    if (!running)
        emit error(tr("Rip was cancelled!"));
    else if (!failures.isEmpty())
        emit error(failures.join(QLatin1Char('\n')));
    else
        emit ripComplete();
}

QString DVDRipThread::ripTitle(int position, const QString& output)
{
    QProcess process;
    switch (Tools::start(process, QStringLiteral("tarvik"), {drive, titleNumbers.at(position), output},
                         Tools::Output::Read)) {
    case Tools::Started::NotInstalled:
        return tr("the DVD title tool tarvik could not be found. Please try re-installing Halvorn.");
    case Tools::Started::Failed:
        return tr("the DVD title tool could not be started: %1").arg(process.errorString());
    case Tools::Started::Running:
        break;
    }

    QString errors;
    const auto readOutput = [&] {
        const std::optional<int> percent = DvdText::parsePercent(Tools::outputText(process.readAllStandardOutput()));
        if (percent)
            emit progress(DvdText::ripProgress(*percent, position, int(titleNumbers.size())));
        // Only the end matters: the tool says why it failed last.
        errors = (errors + Tools::outputText(process.readAllStandardError())).right(4096);
    };
    while (running && !process.waitForFinished(100) && process.state() != QProcess::NotRunning)
        readOutput();
    // Whatever the tool left of a title it did not finish is no title: it goes.
    const auto unfinished = [&](const QString& reason) {
        QFile::remove(output);
        return reason;
    };
    if (!running) {
        process.kill();
        process.waitForFinished(-1);
        return unfinished({});
    }
    readOutput();

    const QString reason = DvdText::lastLine(errors);
    if (process.exitStatus() == QProcess::CrashExit)
        return unfinished(DvdText::damagedDisc());
    if (process.exitCode() != 0)
        return unfinished(reason.isEmpty() ? tr("the DVD title tool failed with exit code %1.").arg(process.exitCode())
                                           : reason);
    if (QFileInfo(output).size() <= 0)
        return tr("the DVD title tool wrote nothing to %1.").arg(output);
    return {};
}
