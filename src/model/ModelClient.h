#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <optional>

#include "model/SseDecoder.h"

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace veltrane::model {

// Where prompts go: an OpenAI-compatible server, the model there, and the writer's key for it
// (empty for none).
struct Endpoint {
  QUrl base;
  QString model;
  QString key;
};

struct Limits {
  qint64 articleBytes = 4 * 1024 * 1024;
  std::chrono::milliseconds connect{10'000};
  std::chrono::milliseconds silence{120'000};  // a stream with no data this long has stalled
};

// One request in flight; deleting it cancels the request.
class Request : public QObject {
  Q_OBJECT
 public:
  ~Request() override;
  bool Ended() const { return ended_; }
  // Hands the request to the network now rather than on the next turn of the event loop, which
  // may come only after a slow paint. Call it once its signals are connected: an answer that
  // is already known is given before it returns.
  void StartNow();

 protected:
  Request(QNetworkReply* reply, const Limits& limits, QObject* parent);
  // Called once, when the request has ended for whatever reason.
  virtual void OnEnd(bool ok, const QString& problem) = 0;
  virtual void OnData() = 0;
  // Whole answers other than streams are read up to this size.
  static constexpr qint64 kBodyCap = 1024 * 1024;

  void End(bool ok, const QString& problem);
  int Status() const;
  QNetworkReply* reply_;
  Limits limits_;

 private:
  void Finished();
  QString NetworkProblem() const;
  QByteArray errorBody_;
  QTimer connectTimer_;
  QTimer silenceTimer_;
  bool ended_ = false;
  bool answered_ = false;
};

// An article streaming in. It keeps what arrived however it ends, and is complete only when
// the server said it had finished.
class ChatStream : public Request {
  Q_OBJECT
 public:
  ChatStream(QNetworkReply* reply, const Limits& limits, QObject* parent);
  const QString& Text() const { return text_; }
  bool Complete() const { return Ended() && complete_; }
  const QString& Reason() const { return reason_; }  // why it is incomplete
  // Stops the stream at the writer's wish: what arrived stays, marked incomplete.
  void Stop();

 signals:
  void Arrived(const QString& piece);
  void Done(bool complete, const QString& reason);

 protected:
  void OnEnd(bool ok, const QString& problem) override;
  void OnData() override;

 private:
  // The event's text, or nothing when the stream must end here (reason_ says why).
  std::optional<QString> TakeEvent(const std::string& data);
  QString OverCap() const;
  bool Add(const QString& piece);

  SseDecoder decoder_;
  bool streaming_ = false;  // an event stream, not one JSON answer
  QByteArray body_;         // error bodies and unstreamed answers
  QString text_;
  qint64 textBytes_ = 0;
  bool done_ = false;  // the server sent [DONE]
  QString finishReason_;
  bool complete_ = false;
  QString reason_;
};

// The models a server offers (GET <base>/models).
class ModelList : public Request {
  Q_OBJECT
 public:
  ModelList(QNetworkReply* reply, const Limits& limits, QObject* parent);

 signals:
  // Sorted ids, or the problem in plain words.
  void Done(const QStringList& ids, const QString& problem);

 protected:
  void OnEnd(bool ok, const QString& problem) override;
  void OnData() override;

 private:
  QByteArray body_;
};

// Talks to OpenAI-compatible servers. Nothing of the network exists until the first request.
class ModelClient : public QObject {
  Q_OBJECT
 public:
  explicit ModelClient(Limits limits = {}, QObject* parent = nullptr);
  ~ModelClient() override;

  // Starts streaming the model's answer to `prompt`; the stream belongs to the caller.
  ChatStream* Chat(const Endpoint& endpoint, const QString& prompt);
  // Asks for the server's models; the request belongs to the caller.
  ModelList* Models(const Endpoint& endpoint);

  bool NetworkStarted() const { return manager_ != nullptr; }
  // Opens a connection to `base` that the next request there takes up, so that it needs no
  // handshake of its own. No request is made.
  void Preconnect(const QUrl& base);
  const Limits& Limit() const { return limits_; }

 private:
  QNetworkRequest Prepare(const Endpoint& endpoint, const QString& tail);
  QNetworkAccessManager* Manager();

  Limits limits_;
  QNetworkAccessManager* manager_ = nullptr;
};

}  // namespace veltrane::model
