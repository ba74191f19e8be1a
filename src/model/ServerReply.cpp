#include "model/ServerReply.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

namespace veltrane::model {
namespace {

constexpr qsizetype kShownBodyCharacters = 300;

QString OneLine(QString text) {
  static const QRegularExpression space(QStringLiteral("\\s+"));
  text.replace(space, QStringLiteral(" "));
  return text.trimmed();
}

QString Excerpt(const QByteArray& body) {
  QString text = QString::fromUtf8(body);
  if (text.size() > kShownBodyCharacters) {
    qsizetype cut = kShownBodyCharacters;
    if (text.at(cut - 1).isHighSurrogate()) --cut;
    text = text.left(cut) + QStringLiteral("\u2026");
  }
  return OneLine(text);
}

QString RetryWait(const QByteArray& retryAfter) {
  const QByteArray value = retryAfter.trimmed();
  if (value.isEmpty()) return {};
  bool number = false;
  const qlonglong seconds = value.toLongLong(&number);
  if (number && seconds >= 0) {
    return seconds == 1
               ? QStringLiteral(" It asks to wait 1 second before trying again.")
               : QStringLiteral(" It asks to wait %L1 seconds before trying again.").arg(seconds);
  }
  const QDateTime when = QDateTime::fromString(QString::fromLatin1(value), Qt::RFC2822Date);
  if (when.isValid()) {
    return QStringLiteral(" It asks to wait until %1 before trying again.")
        .arg(QLocale().toString(when.toLocalTime(), QLocale::ShortFormat));
  }
  return {};
}

}  // namespace

QString ServerMessage(const QByteArray& body) {
  const QJsonDocument json = QJsonDocument::fromJson(body);
  if (json.isObject()) {
    const QJsonValue error = json.object().value(QLatin1String("error"));
    QString message = error.isString()
                          ? error.toString()
                          : error.toObject().value(QLatin1String("message")).toString();
    if (message.isEmpty()) message = json.object().value(QLatin1String("message")).toString();
    if (!message.isEmpty()) {
      return Excerpt(message.toUtf8());
    }
  }
  return Excerpt(body);
}

QString DescribeStatus(int status, const QByteArray& reason, const QByteArray& body,
                       const QByteArray& retryAfter) {
  QString what;
  switch (status) {
    case 400:
      what = QStringLiteral("The server did not accept the request");
      break;
    case 401:
    case 403:
      what = QStringLiteral("The server refused the key");
      break;
    case 404:
      what = QStringLiteral("The server does not know this address or model");
      break;
    case 408:
    case 504:
      what = QStringLiteral("The server took too long");
      break;
    case 413:
      what = QStringLiteral("The prompt is too long for the server");
      break;
    case 429:
      what = QStringLiteral("The server has had too many requests");
      break;
    default:
      what = status >= 500 ? QStringLiteral("The server failed")
                           : QStringLiteral("The server answered with an error");
  }
  QString text = QStringLiteral("%1 (%2%3).")
                     .arg(what)
                     .arg(status)
                     .arg(reason.isEmpty() ? QString()
                                           : QLatin1Char(' ') + OneLine(QString::fromUtf8(reason)));
  if (status == 429) text += RetryWait(retryAfter);
  const QString said = ServerMessage(body);
  if (!said.isEmpty()) text += QStringLiteral(" It said: %1").arg(said);
  return text;
}

ChunkRead ReadChunk(const QByteArray& data) {
  ChunkRead read;
  QJsonParseError parse;
  const QJsonDocument json = QJsonDocument::fromJson(data, &parse);
  if (!json.isObject()) {
    read.problem = QStringLiteral("The server sent something other than the expected JSON: %1")
                       .arg(Excerpt(data));
    return read;
  }
  const QJsonObject object = json.object();
  if (object.contains(QLatin1String("error"))) {
    read.problem = QStringLiteral("The server reported an error: %1").arg(ServerMessage(data));
    return read;
  }
  const QJsonValue choices = object.value(QLatin1String("choices"));
  if (!choices.isArray()) {
    read.problem =
        QStringLiteral("The server sent JSON without \"choices\": %1").arg(Excerpt(data));
    return read;
  }
  if (choices.toArray().isEmpty()) return read;  // usage reports come without choices
  const QJsonObject choice = choices.toArray().first().toObject();
  read.text =
      choice.value(QLatin1String("delta")).toObject().value(QLatin1String("content")).toString();
  read.finishReason = choice.value(QLatin1String("finish_reason")).toString();
  return read;
}

ChunkRead ReadCompletion(const QByteArray& body) {
  ChunkRead read;
  const QJsonDocument json = QJsonDocument::fromJson(body);
  const QJsonArray choices = json.object().value(QLatin1String("choices")).toArray();
  const QJsonValue content = choices.first()
                                 .toObject()
                                 .value(QLatin1String("message"))
                                 .toObject()
                                 .value(QLatin1String("content"));
  if (!json.isObject() || !content.isString()) {
    read.problem = QStringLiteral("The server sent something other than the expected JSON: %1")
                       .arg(Excerpt(body));
    return read;
  }
  read.text = content.toString();
  read.finishReason = choices.first().toObject().value(QLatin1String("finish_reason")).toString();
  return read;
}

QString ByteSize(qint64 bytes) {
  if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0) {
    return QStringLiteral("%L1 MiB").arg(bytes / (1024 * 1024));
  }
  if (bytes >= 1024 && bytes % 1024 == 0) return QStringLiteral("%L1 KiB").arg(bytes / 1024);
  return bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%L1 bytes").arg(bytes);
}

}  // namespace veltrane::model
