// While an article streams in at the server's rate: how fast the main window answers keys
// (key press posted to the painted result), and the program's CPU use; then the time from Send
// to the first character painted in the article window. Offscreen; the server is another
// process (veltrane_model_server), so only this program's work is measured.
// usage: veltrane_stream_bench BASE_ADDRESS STREAM_SECONDS FIRST_CHARACTER_RUNS
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QInputDevice>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "content/TextFile.h"
#include "model/qt/ArticleWindow.h"
#include "model/qt/ModelActions.h"
#include "ui/qt/MainWindow.h"

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for `ms` milliseconds, or until `loop` is quit. QTest's waits sleep
// 10 ms between turns of the loop, which would be measured too.
void Run(QEventLoop& loop, int ms) {
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Notes when a watched widget has painted after a mark was set.
class PaintWatch : public QObject {
 public:
  std::atomic<bool> armed{false};
  Clock::time_point since;
  std::vector<double> latencies;
  std::function<bool()> ready = [] { return true; };
  QEventLoop* waiting = nullptr;  // quit at each paint noted

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && armed && ready()) {
      latencies.push_back(Ms(Clock::now() - since));
      armed = false;
      if (waiting != nullptr) waiting->quit();
    }
    return false;
  }
};

QPushButton* Button(QWidget* window, const char* text) {
  for (auto* button : window->findChildren<QPushButton*>()) {
    if (button->text() == QLatin1String(text)) return button;
  }
  std::fprintf(stderr, "no button %s\n", text);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s BASE_ADDRESS STREAM_SECONDS FIRST_CHARACTER_RUNS\n", argv[0]);
    return 2;
  }
  const QString base = QString::fromLocal8Bit(argv[1]);
  const int seconds = std::atoi(argv[2]);
  const int runs = std::atoi(argv[3]);

  char pattern[] = "/tmp/veltrane-stream-bench-XXXXXX";
  const fs::path root = ::mkdtemp(pattern);
  const fs::path content = fs::path(VELTRANE_CONTENT_DIR);
  fs::copy(content, root / "app", fs::copy_options::recursive);
  veltrane::WriteFileAtomically(root / "veltrane.conf",
                                "[model]\nbase=" + base.toStdString() +
                                    "\nmodel=bench\nconfirmed=" + base.toStdString() + "\n");

  veltrane::qt::MainWindow window(root / "app", root / "user");
  veltrane::modelui::ModelActions actions(
      window, root / "app", root / "user", nullptr,
      veltrane::model::SettingsFile(QString::fromStdString((root / "veltrane.conf").string())));
  window.SetExtension(&actions);
  window.Load();
  window.resize(1400, 900);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  window.Controller().lblItem_Click(2);
  window.Controller().cmdGenerate_Click();
  auto* prompt = window.findChild<QPlainTextEdit*>(QStringLiteral("txtPrompt"));
  // The writer reads the prompt before sending it: the first Send comes a quarter of a second
  // after Generate, far sooner than anyone could click.
  QEventLoop reading;
  Run(reading, 250);

  // Send to first character painted, against the server's own first chunk: in a new window
  // each time ("Send to Model"), and again in a window that is open ("Send Again").
  std::vector<double> first;
  std::vector<double> again;
  for (int i = 0; i < runs; ++i) {
    PaintWatch watch;
    QEventLoop loop;
    watch.waiting = &loop;
    watch.since = Clock::now();
    watch.armed = true;
    veltrane::modelui::ArticleWindow* article = actions.Send();
    auto* view = article->findChild<QTextEdit*>(QStringLiteral("article"));
    watch.ready = [article] { return !article->Article().isEmpty(); };
    view->viewport()->installEventFilter(&watch);
    Run(loop, 10'000);
    QEventLoop pause;
    Run(pause, 20);
    // As the writer does: Stop, then Send Again (the button is off while an article streams).
    Button(article, "S&top")->click();
    watch.since = Clock::now();
    watch.armed = true;
    Button(article, "Send &Again")->click();
    Run(loop, 10'000);
    if (watch.latencies.size() == 2) {
      first.push_back(watch.latencies[0]);
      again.push_back(watch.latencies[1]);
    }
    delete article;
  }

  // Keys while one article streams for the whole time.
  veltrane::modelui::ArticleWindow* article = actions.Send();
  QEventLoop warmUp;  // the stream runs a second before the keys start
  Run(warmUp, 1000);
  PaintWatch keys;
  prompt->viewport()->installEventFilter(&keys);
  (void)QInputDevice::primaryKeyboard();  // made here: the typist's events name it
  std::atomic<bool> running{true};
  const double cpuBefore = CpuSeconds();
  const Clock::time_point wallBefore = Clock::now();
  std::thread typist([&] {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(10, 30);
    while (running) {
      std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
      if (keys.armed) continue;
      keys.since = Clock::now();
      keys.armed = true;
      QCoreApplication::postEvent(prompt,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
      QCoreApplication::postEvent(
          prompt, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a"));
    }
  });
  prompt->setFocus();
  QEventLoop streaming;
  Run(streaming, seconds * 1000);
  running = false;
  typist.join();
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
  const bool stillStreaming = article->Sending();
  const qsizetype received = article->Article().size();

  std::printf(
      "send to first character painted, new window: first %.2f ms, median %.2f ms; "
      "Send Again: median %.2f ms (%zu runs)\n",
      first.empty() ? 0 : first.front(), Percentile(first, 0.5), Percentile(again, 0.5),
      first.size());
  std::printf(
      "keys while streaming: %zu presses, median %.2f ms, 99th percentile %.2f ms, "
      "max %.2f ms\n",
      keys.latencies.size(), Percentile(keys.latencies, 0.5), Percentile(keys.latencies, 0.99),
      Percentile(keys.latencies, 1.0));
  std::printf(
      "CPU while streaming: %.1f %% of one core over %.1f s (%lld characters arrived, "
      "still streaming: %s)\n",
      100 * cpu / wall, wall, static_cast<long long>(received), stillStreaming ? "yes" : "no");
  fs::remove_all(root);
  return 0;
}
