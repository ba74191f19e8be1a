#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "model/ModelServer.h"
#include "support/TempDir.h"

namespace veltrane::test {
namespace {

// The program's --generate against the test server: what reaches standard output and error.
TEST(Generate, StreamsTheArticleToStandardOutput) {
  const struct {
    const char* name;
    Answer answer;
    int status;
    QByteArray out;
    const char* err;  // in standard error; "" for none at all
  } cases[] = {
      {"complete",
       {200, "Content-Type: text/event-stream\r\n", {Stream({"# Title\n", "Body"})}},
       0,
       "# Title\nBody\n",
       ""},
      {"401",
       {401, "Content-Type: application/json\r\n", {R"({"error":{"message":"bad key"}})"}},
       1,
       "",
       "veltrane: The server refused the key (401 Unauthorized). It said: bad key\n"},
      {"dropped mid-stream",
       {200, "Content-Type: text/event-stream\r\n", {Event("Half")}, 10, Ending::Drop},
       1,
       "Half\n",
       "veltrane: the article is incomplete: The server closed the connection.\n"},
  };
  TempDir home;  // the writer's own problem, and no saved settings
  home.Write("veltrane/niches/0/2/Test Problem.txt",
             ProblemText("My own test problem.", "F: free", "P: paid"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModelServer server;
    server.answers.insert("/v1/chat/completions", c.answer);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.path().string()));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(home.path().string()));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/veltrane-test-bus");
    environment.insert("VELTRANE_API_KEY", "sk-from-the-environment");
    environment.remove("DISPLAY");
    program.setProcessEnvironment(environment);
    program.start(VELTRANE_PROGRAM, {"--generate", "--niche", "0", "--subniche", "2", "--problem",
                                     "Test Problem", "--base", server.Base(), "--model", "m"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20'000));
    EXPECT_EQ(program.exitCode(), c.status);
    EXPECT_EQ(program.readAllStandardOutput(), c.out);
    EXPECT_EQ(program.readAllStandardError(), QByteArray(c.err));
    ASSERT_EQ(server.received.size(), 1);
    EXPECT_EQ(server.received.front().headers.value("authorization"),
              "Bearer sk-from-the-environment");
    EXPECT_TRUE(server.received.front().body.contains("My own test problem."));
  }
}

}  // namespace
}  // namespace veltrane::test
