#include "app/updatecheck.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace UpdateCheck {

namespace {

class Message final {
    Q_DECLARE_TR_FUNCTIONS(UpdateCheck)
};

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
    if (body.size() > replyLimit)
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(body);
    if (utf8.hasError())
        return {};
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x08\\x0b\\x0c\\x0e-\\x1f\\x7f]"));
    static const QRegularExpression version(QStringLiteral("^\\d{1,9}(\\.\\d{1,9})*$"));
    if (text.contains(control) || !version.match(text.section(QLatin1Char('\n'), 0, 0).trimmed()).hasMatch())
        return {};
    return text;
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
    QString features;
    for (qsizetype i = 1; i < lines.size(); ++i)
        features += lines.at(i) + QLatin1Char('\n');
    // In one step: the site's own words must not be read as places for the words that follow.
    return Message::tr("Version %1 is available for download!\n\nNew features:\n%2\nWould you like to download this now?")
        .arg(lines.first(), features);
}

} // namespace UpdateCheck
