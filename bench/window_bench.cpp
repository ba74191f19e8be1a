// How the window answers with texts at the 16 MiB content file cap: opening such a problem
// (read, split, shown) and typing into a box that holds a long line, each with the repaint the
// user waits for. Offscreen; no display needed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "content/TextFile.h"
#include "ui/qt/MainWindow.h"

namespace {
namespace fs = std::filesystem;

struct Content {
  fs::path root;
  Content() {
    char pattern[] = "/tmp/veltrane-window-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    std::ofstream(root / "images/0.jpg");  // replaced below
    fs::create_directories(root / "niches/0/2");
    fs::create_directories(root / "templates");
    // One problem at the cap: its problem section one single line.
    std::string problem = "[PROBLEM]\r\n";
    const std::string words = "My articles sit on page two of Google for months. ";
    while (problem.size() + words.size() < veltrane::kMaxTextFileBytes - 64) problem += words;
    problem += "\r\n\r\n[FREE]\r\nF: free\r\n\r\n[PAID]\r\nP: paid\r\n";
    std::ofstream(root / "niches/0/2/At the Cap.txt", std::ios::binary) << problem;
    std::ofstream(root / "templates/template-free.txt") << "#PROBLEM#";
  }
  ~Content() { fs::remove_all(root); }
};

Content& TheContent() {
  static Content content;
  return content;
}

veltrane::qt::MainWindow& TheWindow() {
  static veltrane::qt::MainWindow* window = [] {
    const fs::path images = TheContent().root / "images";
    fs::create_directories(images);
    QImage picture(622, 670, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.save(QString::fromStdString((images / "0.jpg").string()), "JPG");
    auto* built = new veltrane::qt::MainWindow(TheContent().root);
    built->Load();
    built->resize(1400, 900);
    built->show();
    (void)QTest::qWaitForWindowExposed(built);
    built->Controller().lblItem_Click(2);
    return built;
  }();
  return *window;
}

// The baseline: only reading the file's bytes.
void ReadTheFile(benchmark::State& state) {
  const fs::path file = TheContent().root / "niches/0/2/At the Cap.txt";
  for (auto _ : state) {
    std::string bytes = veltrane::ReadFileBytes(file);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(ReadTheFile)->Unit(benchmark::kMillisecond);

// Selecting the problem: the file read and split, the boxes filled and painted.
void OpenAProblemAtTheCap(benchmark::State& state) {
  veltrane::qt::MainWindow& window = TheWindow();
  auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtProblem"));
  for (auto _ : state) {
    window.SelectProblem(0);
    box->repaint();
  }
}
BENCHMARK(OpenAProblemAtTheCap)->Unit(benchmark::kMillisecond);

// A key typed into a box whose one line is as long as a box still lets the user edit.
void TypeIntoALongLine(benchmark::State& state) {
  veltrane::qt::MainWindow& window = TheWindow();
  auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtFree"));
  window.SetText(veltrane::TextBox::Free,
                 std::string(static_cast<std::size_t>(state.range(0)), 'x'));
  box->setFocus();
  for (auto _ : state) {
    QTest::keyClick(box, Qt::Key_A);
    box->viewport()->repaint();
  }
}
BENCHMARK(TypeIntoALongLine)->Arg(1000)->Arg(16 * 1024)->Unit(benchmark::kMillisecond);

// The one-line box draws every line of its text on one line: a problem of many short lines
// weighs on it as one long line does.
void TypeIntoTheProblemBox(benchmark::State& state) {
  veltrane::qt::MainWindow& window = TheWindow();
  auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtProblem"));
  std::string lines;
  while (lines.size() < static_cast<std::size_t>(state.range(0))) lines += "Short line.\r\n";
  window.SetText(veltrane::TextBox::Problem, lines);
  box->setFocus();
  box->end(false);
  for (auto _ : state) {
    QTest::keyClick(box, Qt::Key_A);
    box->repaint();
  }
}
BENCHMARK(TypeIntoTheProblemBox)
    ->Arg(16 * 1000)
    ->Arg(1024 * 1024)
    ->Arg(16 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
