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

// The reply body as text: UTF-8 up to its first NUL byte.
[[nodiscard]] QString replyText(const QByteArray& body);

// Whether the first line of a reply names a newer version than local. Three "."-separated parts
// compared as numbers; a part that is missing or no number counts as 0.
[[nodiscard]] bool isNewer(const QString& replyText, const QString& localVersion);

// The question shown when a newer version exists: the version line as received, then every
// further line as a line of the new features.
[[nodiscard]] QString newVersionMessage(const QString& replyText);

} // namespace UpdateCheck
