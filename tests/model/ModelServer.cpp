#include "model/ModelServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace veltrane::test {

QByteArray Event(const QString& piece, const QString& finishReason) {
  QJsonObject choice{{QStringLiteral("index"), 0},
                     {QStringLiteral("delta"), QJsonObject{{QStringLiteral("content"), piece}}}};
  choice.insert(QStringLiteral("finish_reason"),
                finishReason.isEmpty() ? QJsonValue() : QJsonValue(finishReason));
  const QJsonObject chunk{{QStringLiteral("object"), QStringLiteral("chat.completion.chunk")},
                          {QStringLiteral("choices"), QJsonArray{choice}}};
  return "data: " + QJsonDocument(chunk).toJson(QJsonDocument::Compact) + "\n\n";
}

QByteArray Stream(const std::vector<QString>& pieces, bool done) {
  QByteArray bytes;
  for (const QString& piece : pieces) bytes += Event(piece);
  if (done) bytes += "data: [DONE]\n\n";
  return bytes;
}

ModelServer::ModelServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(this);
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
    }
  });
}

QString ModelServer::Base() const {
  return QStringLiteral("http://127.0.0.1:%1/v1").arg(server_.serverPort());
}

void ModelServer::Serve(QTcpSocket* socket) {
  QByteArray buffered = socket->property("buffered").toByteArray() + socket->readAll();
  const qsizetype headEnd = buffered.indexOf("\r\n\r\n");
  Received request;
  qsizetype length = 0;
  if (headEnd >= 0) {
    const QList<QByteArray> lines = buffered.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.first().trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      const qsizetype colon = lines[i].indexOf(':');
      if (colon > 0) {
        request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                               lines[i].mid(colon + 1).trimmed());
      }
    }
    length = request.headers.value("content-length").toLongLong();
  }
  if (headEnd < 0 || buffered.size() < headEnd + 4 + length) {
    socket->setProperty("buffered", buffered);
    return;
  }
  socket->setProperty("buffered", QByteArray());
  request.body = buffered.mid(headEnd + 4, length);
  received << request;

  // Shared by the steps below: a benchmark's answer has many thousand parts, and copying them
  // for each step would be measured as the server's slowness.
  const auto found = answers.constFind(request.path);
  const auto shared = std::make_shared<const Answer>(
      found != answers.cend()
          ? *found
          : Answer{404, "Content-Type: application/json\r\n", {"{\"error\":\"no such path\"}"}});
  const Answer& answer = *shared;
  if (answer.ending == Ending::Silent) return;
  const QMap<int, QByteArray> reasons{{200, "OK"},
                                      {401, "Unauthorized"},
                                      {404, "Not Found"},
                                      {429, "Too Many Requests"},
                                      {500, "Internal Server Error"}};
  socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " " +
                reasons.value(answer.status, "Status") + "\r\n" + answer.headers +
                "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n");
  // The first part at once, the others one at a time, each on a later turn of the event loop so
  // the client reads them apart.
  auto next = std::make_shared<std::size_t>(0);
  auto* timer = new QTimer(socket);
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(answer.gapMs);
  const auto step = [socket, timer, shared, next] {
    const std::vector<QByteArray>& parts = shared->parts;
    if (*next < parts.size()) {
      const QByteArray& part = parts[(*next)++];
      socket->write(QByteArray::number(part.size(), 16) + "\r\n" + part + "\r\n");
      socket->flush();
      return;
    }
    timer->stop();
    if (shared->ending == Ending::Stall) return;
    if (shared->ending == Ending::Drop) {
      socket->abort();
    } else {
      socket->write("0\r\n\r\n");
      socket->disconnectFromHost();
    }
  };
  connect(timer, &QTimer::timeout, socket, step);
  if (!answer.parts.empty()) step();
  timer->start();
}

}  // namespace veltrane::test
