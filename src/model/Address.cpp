#include "model/Address.h"

#include <QHostAddress>

namespace veltrane::model {

ParsedBase ParseBase(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return {{}, QStringLiteral("The address is empty.")};
  QUrl url(trimmed, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty()) {
    return {{},
            QStringLiteral("\"%1\" is not a web address: it should look like "
                           "http://localhost:11434/v1 or https://api.example.com/v1.")
                .arg(trimmed)};
  }
  // A name and password in the address would be sent, and shown, wherever it goes.
  if (!url.userInfo().isEmpty()) {
    return {{},
            QStringLiteral("The address may not hold a user name or password; put a key in "
                           "the Key box instead.")};
  }
  if (url.hasQuery() || url.hasFragment()) {
    return {{}, QStringLiteral("The address may not hold \"?\" or \"#\" parts.")};
  }
  QString path = url.path();
  while (path.endsWith(QLatin1Char('/'))) path.chop(1);
  url.setPath(path);
  url.setScheme(scheme);
  return {url, {}};
}

QString BaseText(const QUrl& base) {
  return base.toString(QUrl::FullyEncoded);
}

bool IsLocalHost(const QString& host) {
  if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
  QHostAddress address;
  if (!address.setAddress(host)) return false;
  return address.isLoopback();
}

std::optional<QString> KeyRefusal(const QUrl& base) {
  if (base.scheme() == u"https" || IsLocalHost(base.host())) return std::nullopt;
  return QStringLiteral(
             "A key is never sent over plain http to another computer: anyone on the way could "
             "read it. Use an https address for %1, or leave the key empty.")
      .arg(base.host());
}

QUrl Join(const QUrl& base, const QString& tail) {
  QUrl url = base;
  url.setPath(base.path() + tail);
  return url;
}

}  // namespace veltrane::model
