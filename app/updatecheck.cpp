#include "app/updatecheck.h"

#include <QStringList>

namespace UpdateCheck {

namespace {

QList<int> versionParts(const QString& version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    QList<int> numbers;
    for (int i = 0; i < 3; ++i)
        numbers.append(parts.value(i).toInt());
    return numbers;
}

} // namespace

QString siteAddress()
{
    if (qEnvironmentVariableIsSet("HALVORN_SITE"))
        return qEnvironmentVariable("HALVORN_SITE");
    return QStringLiteral(HALVORN_SITE);
}

QUrl sitePage(const QString& path)
{
    const QString site = siteAddress();
    if (site.isEmpty())
        return {};
    QString base = site;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + path, QUrl::TolerantMode);
}

QString replyText(const QByteArray& body)
{
    const qsizetype nul = body.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? body : body.left(nul));
}

bool isNewer(const QString& replyText, const QString& localVersion)
{
    const QList<int> remote = versionParts(replyText.section(QLatin1Char('\n'), 0, 0));
    const QList<int> local = versionParts(localVersion);
    return remote > local;
}

QString newVersionMessage(const QString& replyText)
{
    const QStringList lines = replyText.split(QLatin1Char('\n'));
    QString message = QStringLiteral("Version ") + lines.first()
                    + QStringLiteral(" is available for download!\n\nNew features:\n");
    for (qsizetype i = 1; i < lines.size(); ++i)
        message += lines.at(i) + QLatin1Char('\n');
    return message + QStringLiteral("\nWould you like to download this now?");
}

} // namespace UpdateCheck
