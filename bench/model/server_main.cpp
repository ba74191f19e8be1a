// The test server as a program of its own, so a benchmark measures the client's process alone.
// usage: veltrane_model_server CHUNKS_PER_SECOND SECONDS
// Prints the base address, then answers every chat request with a stream of that rate and
// length until it is stopped.
#include <QCoreApplication>
#include <cstdio>

#include "model/ModelServer.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rate = argc > 1 ? std::atoi(argv[1]) : 200;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  veltrane::test::ModelServer server;
  veltrane::test::Answer answer;
  answer.gapMs = 1000 / std::max(1, rate);
  for (int i = 0; i < rate * seconds; ++i) {
    answer.parts.push_back(veltrane::test::Event(i % 12 == 11 ? QStringLiteral("word.\n\n")
                                                              : QStringLiteral("word ")));
  }
  answer.parts.push_back("data: [DONE]\n\n");
  server.answers.insert("/v1/chat/completions", answer);
  std::printf("%s\n", qPrintable(server.Base()));
  std::fflush(stdout);
  return QCoreApplication::exec();
}
