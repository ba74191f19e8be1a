#pragma once

#include <QByteArray>
#include <QString>

namespace veltrane::model {

// What a server's error body says: the message of an OpenAI-style error ({"error":{"message":
// ...}} or {"error":"..."}), else the body's first 300 characters, as plain text on one line.
QString ServerMessage(const QByteArray& body);

// An HTTP status the server answered instead of the article, in plain words with its own
// message. `retryAfter` is the Retry-After header, in seconds or as a date.
QString DescribeStatus(int status, const QByteArray& reason, const QByteArray& body,
                       const QByteArray& retryAfter);

// One streamed event's data, read: the text it adds, why the model stopped where it says so,
// or what is wrong with it.
struct ChunkRead {
  QString text;
  QString finishReason;
  QString problem;  // not empty: the event is not what the interface sends, or is an error
};
ChunkRead ReadChunk(const QByteArray& data);

// A whole (not streamed) completion's answer, for servers that ignore "stream".
ChunkRead ReadCompletion(const QByteArray& body);

// A count of bytes in words: "4 MiB", "512 KiB", "300 bytes".
QString ByteSize(qint64 bytes);

}  // namespace veltrane::model
