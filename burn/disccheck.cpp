#include "burn/disccheck.h"

#include "burn/burntext.h"
#include "platform/tools.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QProcess>

Q_LOGGING_CATEGORY(lcBurn, "halvorn.burn")

namespace DiscCheck {

namespace {

constexpr int toolTimeoutMs = 30000;

} // namespace

std::optional<QString> toolOutput(const QString& name, const QStringList& arguments)
{
    QProcess process;
    switch (Tools::start(process, name, arguments, Tools::Output::Read)) {
    case Tools::Started::NotInstalled:
        qCWarning(lcBurn) << name << "is not installed";
        return std::nullopt;
    case Tools::Started::Failed:
        qCWarning(lcBurn) << name << "could not be started:" << process.errorString();
        return std::nullopt;
    case Tools::Started::Running:
        break;
    }
    Tools::waitOrKill(process, toolTimeoutMs);
    return Tools::outputText(process.readAllStandardOutput());
}

QString checkDvd(const QString& drive, int totalSeconds)
{
    const std::optional<QString> output = toolOutput(QStringLiteral("mossel"), {drive});
    // Without the tool nothing was looked at; saying so beats asking for a blank disc that is there.
    if (!output)
        return QCoreApplication::translate("BurnText", "Could not check the disc in drive %1.").arg(drive);
    return BurnText::dvdDiscMessage(*output, totalSeconds);
}

QString checkCd(const QString& device, int totalSeconds)
{
    return BurnText::cdDiscMessage(toolOutput(QStringLiteral("Zenlow2"), {device}).value_or(QString()), device,
                                   totalSeconds);
}

QStringList scanBus()
{
    return BurnText::busScanLines(toolOutput(QStringLiteral("pyrrat"), {QStringLiteral("-scanbus")}).value_or(QString()));
}

} // namespace DiscCheck
