#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace veltrane::model {

// The address of an OpenAI-compatible server, such as "http://localhost:11434/v1", without a
// trailing slash; an empty URL and a reason in plain words when `text` is not one.
struct ParsedBase {
  QUrl url;
  QString problem;
};
ParsedBase ParseBase(const QString& text);

// The base address as settings, messages and the keyring name it.
QString BaseText(const QUrl& base);

// localhost, 127.0.0.0/8 or ::1: traffic that never leaves this computer.
bool IsLocalHost(const QString& host);

// Why a key may not be used with `base`, or nothing when it may: a key goes over plain http
// only to this computer.
std::optional<QString> KeyRefusal(const QUrl& base);

// `base` with `tail` ("/chat/completions") added to its path.
QUrl Join(const QUrl& base, const QString& tail);

}  // namespace veltrane::model
