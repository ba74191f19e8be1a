#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <vector>

namespace veltrane::test {

// How an answer ends after its parts: as HTTP says, by closing the connection mid-body, or by
// going silent with the connection open. A silent answer sends not even its status line.
enum class Ending { Finish, Drop, Stall, Silent };

// What the server answers to one path.
struct Answer {
  int status = 200;
  QByteArray headers = "Content-Type: text/event-stream\r\n";
  std::vector<QByteArray> parts;  // sent one at a time, each as one HTTP chunk
  int gapMs = 0;                  // between parts
  Ending ending = Ending::Finish;
};

// The data lines of a stream that sends `pieces` as the article, then [DONE].
QByteArray Stream(const std::vector<QString>& pieces, bool done = true);
// One event's data line for an article piece.
QByteArray Event(const QString& piece, const QString& finishReason = {});

struct Received {
  QByteArray method;
  QByteArray path;
  QMap<QByteArray, QByteArray> headers;  // names in lower case
  QByteArray body;
};

// A small OpenAI-compatible server on 127.0.0.1 at a free port, for tests and benchmarks.
class ModelServer : public QObject {
  Q_OBJECT
 public:
  ModelServer();
  QString Base() const;  // http://127.0.0.1:<port>/v1
  quint16 Port() const { return server_.serverPort(); }
  QMap<QByteArray, Answer> answers;  // by path, such as "/v1/chat/completions"
  QList<Received> received;

 private:
  void Serve(QTcpSocket* socket);
  QTcpServer server_;
};

}  // namespace veltrane::test
