#include "model/ModelClient.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>

#include "model/Address.h"
#include "model/ServerReply.h"

namespace veltrane::model {
namespace {

constexpr std::string_view kDone = "[DONE]";

QString Seconds(std::chrono::milliseconds time) {
  const auto seconds = std::chrono::duration<double>(time).count();
  return seconds == 1 ? QStringLiteral("1 second") : QStringLiteral("%L1 seconds").arg(seconds);
}

// Traffic to this computer never goes through a proxy; anything else takes the desktop's.
class LocalDirect : public QNetworkProxyFactory {
 public:
  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
    if (IsLocalHost(query.peerHostName())) return {QNetworkProxy(QNetworkProxy::NoProxy)};
    return systemProxyForQuery(query);
  }
};

}  // namespace

Request::Request(QNetworkReply* reply, const Limits& limits, QObject* parent)
    : QObject(parent), reply_(reply), limits_(limits) {
  reply_->setParent(this);
  connectTimer_.setSingleShot(true);
  silenceTimer_.setSingleShot(true);
  const QString host = reply_->url().host();
  connect(&connectTimer_, &QTimer::timeout, this, [this, host] {
    End(false, QStringLiteral("The server at %1 did not answer within %2.")
                   .arg(host, Seconds(limits_.connect)));
  });
  connect(&silenceTimer_, &QTimer::timeout, this, [this] {
    End(false, QStringLiteral("The server sent nothing for %1, so Veltrane stopped waiting.")
                   .arg(Seconds(limits_.silence)));
  });
  const auto answered = [this] {
    connectTimer_.stop();
    silenceTimer_.start(limits_.silence);
  };
  connect(reply_, &QNetworkReply::metaDataChanged, this, answered);
  connect(reply_, &QNetworkReply::readyRead, this, [this, answered] {
    answered();
    if (Status() >= 300) {
      errorBody_ += reply_->read(std::max<qint64>(0, kBodyCap - errorBody_.size()));
      reply_->readAll();  // beyond what a message shows
      return;
    }
    OnData();
  });
  connect(reply_, &QNetworkReply::finished, this, &Request::Finished);
  connectTimer_.start(limits_.connect);
}

Request::~Request() = default;

void Request::StartNow() {
  QCoreApplication::sendPostedEvents(reply_, QEvent::MetaCall);
}

int Request::Status() const {
  return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

void Request::End(bool ok, const QString& problem) {
  if (ended_) return;
  ended_ = true;
  connectTimer_.stop();
  silenceTimer_.stop();
  if (!ok && reply_->isRunning()) reply_->abort();
  OnEnd(ok, problem);
}

void Request::Finished() {
  if (ended_) return;
  const int status = Status();
  if (status >= 300 && status < 400) {
    const QUrl target = reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    End(false, QStringLiteral("The server sent the request on to %1 (%2). Enter the address it "
                              "names instead, if you trust it.")
                   .arg(reply_->url().resolved(target).toString(QUrl::RemoveUserInfo))
                   .arg(status));
  } else if (status >= 400) {
    End(false,
        DescribeStatus(
            status,
            reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toUtf8(),
            errorBody_, reply_->rawHeader("Retry-After")));
  } else if (reply_->error() != QNetworkReply::NoError) {
    End(false, NetworkProblem());
  } else {
    End(true, {});
  }
}

QString Request::NetworkProblem() const {
  const QUrl url = reply_->url();
  const QString host = url.host();
  switch (reply_->error()) {
    case QNetworkReply::ConnectionRefusedError:
      return QStringLiteral("Nothing answered at %1, port %2. Is the server running?")
          .arg(host)
          .arg(url.port(url.scheme() == u"https" ? 443 : 80));
    case QNetworkReply::HostNotFoundError:
      return QStringLiteral("The computer %1 was not found. Check the address.").arg(host);
    case QNetworkReply::RemoteHostClosedError:
      return QStringLiteral("The server closed the connection.");
    case QNetworkReply::SslHandshakeFailedError:
      return QStringLiteral(
                 "The secure connection to %1 could not be trusted, so nothing was "
                 "sent: %2")
          .arg(host, reply_->errorString());
    default:
      return QStringLiteral("The connection to %1 failed: %2").arg(host, reply_->errorString());
  }
}

ChatStream::ChatStream(QNetworkReply* reply, const Limits& limits, QObject* parent)
    : Request(reply, limits, parent) {}

QString ChatStream::OverCap() const {
  return QStringLiteral("The article passed the limit of %1, so Veltrane stopped reading.")
      .arg(ByteSize(limits_.articleBytes));
}

void ChatStream::Stop() {
  End(false, QStringLiteral("You stopped it."));
}

bool ChatStream::Add(const QString& piece) {
  const qint64 bytes = piece.toUtf8().size();
  if (textBytes_ + bytes > limits_.articleBytes) return false;
  textBytes_ += bytes;
  text_ += piece;
  return true;
}

std::optional<QString> ChatStream::TakeEvent(const std::string& data) {
  const ChunkRead read =
      ReadChunk(QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size())));
  if (!read.problem.isEmpty()) {
    reason_ = read.problem;
    return std::nullopt;
  }
  if (!read.finishReason.isEmpty()) finishReason_ = read.finishReason;
  return read.text;
}

void ChatStream::OnData() {
  if (!streaming_ && body_.isEmpty()) {
    streaming_ = reply_->header(QNetworkRequest::ContentTypeHeader)
                     .toString()
                     .contains(QLatin1String("text/event-stream"), Qt::CaseInsensitive);
  }
  const QByteArray bytes = reply_->readAll();
  if (!streaming_) {
    body_ += bytes;
    if (body_.size() > 2 * limits_.articleBytes + kBodyCap) {
      End(false, OverCap());
    }
    return;
  }
  if (done_) return;
  QString batch;  // one update of the window per read, however many events it holds
  QString stop;
  for (const std::string& data : decoder_.Feed({bytes.constData(), std::size_t(bytes.size())})) {
    if (data == kDone) {
      done_ = true;
      break;
    }
    const std::optional<QString> piece = TakeEvent(data);
    if (!piece) {
      stop = reason_;
      break;
    }
    if (!Add(*piece)) {
      stop = OverCap();
      break;
    }
    batch += *piece;
  }
  if (stop.isEmpty() && !done_ &&
      decoder_.Pending() > static_cast<std::size_t>(limits_.articleBytes + kBodyCap)) {
    stop = QStringLiteral("The server sent more than %1 without ending a line.")
               .arg(ByteSize(limits_.articleBytes + kBodyCap));
  }
  if (!batch.isEmpty()) emit Arrived(batch);
  if (!stop.isEmpty()) {
    End(false, stop);
  } else if (done_) {
    End(true, {});
  }
}

void ChatStream::OnEnd(bool ok, const QString& problem) {
  if (!ok) {
    reason_ = problem;
  } else if (!streaming_) {
    const ChunkRead read = ReadCompletion(body_);
    if (!read.problem.isEmpty()) {
      ok = false;
      reason_ = read.problem;
    } else if (!Add(read.text)) {
      ok = false;
      reason_ = OverCap();
    } else {
      finishReason_ = read.finishReason;
      if (!text_.isEmpty()) emit Arrived(text_);
    }
  } else if (!done_) {
    // A last event may lack its closing empty line.
    if (const auto last = decoder_.Finish()) {
      if (*last == kDone) {
        done_ = true;
      } else if (const std::optional<QString> piece = TakeEvent(*last)) {
        if (!Add(*piece)) {
          reason_ = OverCap();
        } else if (!piece->isEmpty()) {
          emit Arrived(*piece);
        }
      }
    }
    if (!done_) {
      ok = false;
      if (reason_.isEmpty()) {
        reason_ = QStringLiteral("The server ended the stream before the article was finished.");
      }
    }
  }
  if (ok && finishReason_ == u"length") {
    ok = false;
    reason_ = QStringLiteral("The model reached its length limit, so the article is cut short.");
  } else if (ok && finishReason_ == u"content_filter") {
    ok = false;
    reason_ = QStringLiteral("The server's content filter stopped the article.");
  } else if (ok && text_.isEmpty()) {
    ok = false;
    reason_ = QStringLiteral("The model sent no text.");
  }
  complete_ = ok;
  emit Done(complete_, reason_);
}

ModelList::ModelList(QNetworkReply* reply, const Limits& limits, QObject* parent)
    : Request(reply, limits, parent) {}

void ModelList::OnData() {
  body_ += reply_->readAll();
  if (body_.size() > kBodyCap) {
    End(false,
        QStringLiteral("The list of models passed the limit of %1.").arg(ByteSize(kBodyCap)));
  }
}

void ModelList::OnEnd(bool ok, const QString& problem) {
  if (!ok) {
    emit Done({}, problem);
    return;
  }
  const QJsonDocument json = QJsonDocument::fromJson(body_);
  const QJsonValue data = json.object().value(QLatin1String("data"));
  if (!data.isArray()) {
    emit Done(
        {},
        QStringLiteral("The server did not send a list of models: %1").arg(ServerMessage(body_)));
    return;
  }
  QStringList ids;
  for (const QJsonValue& entry : data.toArray()) {
    const QString id = entry.toObject().value(QLatin1String("id")).toString();
    if (!id.isEmpty()) ids << id;
  }
  ids.sort(Qt::CaseInsensitive);
  emit Done(ids, {});
}

ModelClient::ModelClient(Limits limits, QObject* parent) : QObject(parent), limits_(limits) {}

ModelClient::~ModelClient() = default;

QNetworkAccessManager* ModelClient::Manager() {
  if (manager_ == nullptr) {
    manager_ = new QNetworkAccessManager(this);
    manager_->setProxyFactory(new LocalDirect);
    // Followed redirects would carry the key to wherever they point.
    manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
  }
  return manager_;
}

void ModelClient::Preconnect(const QUrl& base) {
  const bool secure = base.scheme() == QLatin1String("https");
  const auto port = static_cast<quint16>(base.port(secure ? 443 : 80));
#if QT_CONFIG(ssl)
  if (secure) {
    Manager()->connectToHostEncrypted(base.host(), port);
    return;
  }
#endif
  Manager()->connectToHost(base.host(), port);
}

QNetworkRequest ModelClient::Prepare(const Endpoint& endpoint, const QString& tail) {
  QNetworkRequest request(Join(endpoint.base, tail));
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  if (!endpoint.key.isEmpty() && !KeyRefusal(endpoint.base)) {
    request.setRawHeader("Authorization", "Bearer " + endpoint.key.toUtf8());
  }
  return request;
}

ChatStream* ModelClient::Chat(const Endpoint& endpoint, const QString& prompt) {
  QNetworkRequest request = Prepare(endpoint, QStringLiteral("/chat/completions"));
  request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
  request.setRawHeader("Accept", "text/event-stream");
  const QJsonObject body{
      {QStringLiteral("model"), endpoint.model},
      {QStringLiteral("messages"),
       QJsonArray{QJsonObject{{QStringLiteral("role"), QStringLiteral("user")},
                              {QStringLiteral("content"), prompt}}}},
      {QStringLiteral("stream"), true},
  };
  QNetworkReply* reply =
      Manager()->post(request, QJsonDocument(body).toJson(QJsonDocument::Compact));
  return new ChatStream(reply, limits_, nullptr);
}

ModelList* ModelClient::Models(const Endpoint& endpoint) {
  return new ModelList(Manager()->get(Prepare(endpoint, QStringLiteral("/models"))), limits_,
                       nullptr);
}

}  // namespace veltrane::model
