#pragma once

#include <QString>
#include <QUrl>

// The version request to the product's web site and what its reply means: text in, answer out.
namespace UpdateCheck {

// The site's address: the HALVORN_SITE environment value when set, otherwise the build's
// HALVORN_SITE setting. Empty when this build has no site: no requests, no links.
[[nodiscard]] QString siteAddress();
// A page of the site ("/manual", "/current-version", ...); invalid when there is no site.
[[nodiscard]] QUrl sitePage(const QString& path);

// A version reply is a few short lines; anything larger is not one and is not read to its end.
inline constexpr qsizetype replyLimit = 8 * 1024;

// The reply body as text when it is a version reply: UTF-8 text with no control characters but
// tabs and line ends, whose first line, trimmed, is numbers joined by "." ("1.6.8"). "" for
// anything else: an error page, binary data, or a text that merely begins with digits.
[[nodiscard]] QString replyText(const QByteArray& body);

// Whether the first line of a reply names a newer version than local. Three "."-separated parts
// compared as numbers; a part that is missing counts as 0.
[[nodiscard]] bool isNewer(const QString& replyText, const QString& localVersion);

// The question shown when a newer version exists: the version line as received, then every
// further line as a line of the new features.
[[nodiscard]] QString newVersionMessage(const QString& replyText);

} // namespace UpdateCheck
