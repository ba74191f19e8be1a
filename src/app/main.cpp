#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <variant>
#include <vector>

#include <QScreen>
#include "app/CommandLine.h"
#include "content/ContentPaths.h"
#include "model/qt/Plugin.h"
#include "ui/qt/WindowExtension.h"

#include <dlfcn.h>

#include <memory>
#include "ui/qt/MainWindow.h"
#include "ui/qt/Widgets.h"

namespace {

// The model module, loaded beside the program at its first use; null with the reason when it
// cannot be.
void* LoadModelModule(const std::filesystem::path& appDir) {
  static void* module = nullptr;
  if (module == nullptr) {
    const std::filesystem::path path = appDir / veltrane::modelui::kModuleName;
    module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) std::fprintf(stderr, "veltrane: %s\n", ::dlerror());
  }
  return module;
}

// Stands for the model's additions to the window until one is first needed.
class LazyModelExtension : public veltrane::qt::WindowExtension {
 public:
  LazyModelExtension(veltrane::qt::MainWindow& window, std::filesystem::path appDir,
                     std::filesystem::path userDir)
      : window_(window), appDir_(std::move(appDir)), userDir_(std::move(userDir)) {}
  void PromptPanelBuilt(QWidget& panel) override {
    if (auto* real = Real()) real->PromptPanelBuilt(panel);
  }
  void AddToPictureMenu(QMenu& menu) override {
    if (auto* real = Real()) real->AddToPictureMenu(menu);
  }
  void AddToProblemMenu(QMenu& menu) override {
    if (auto* real = Real()) real->AddToProblemMenu(menu);
  }
  void SendKey() override {
    if (auto* real = Real()) real->SendKey();
  }

 private:
  veltrane::qt::WindowExtension* Real() {
    if (!real_ && !failed_) {
      void* module = LoadModelModule(appDir_);
      const auto make = module != nullptr ? reinterpret_cast<veltrane::modelui::MakeExtension>(
                                                ::dlsym(module, "veltrane_model_extension"))
                                          : nullptr;
      failed_ = make == nullptr;
      if (make != nullptr) real_.reset(make(&window_, appDir_.c_str(), userDir_.c_str()));
    }
    return real_.get();
  }

  veltrane::qt::MainWindow& window_;
  std::filesystem::path appDir_;
  std::filesystem::path userDir_;
  std::unique_ptr<veltrane::qt::WindowExtension> real_;
  bool failed_ = false;
};

// Built in from packaging/icons, so the window has its icon even when run from the build tree.
// Up to 64 pixels: every size is rendered into the window's icon property before it is first
// mapped, and the larger ones cost more start-up time than anything else in the window. Docks
// and launchers take the installed theme icon, which has them all.
QIcon ProgramIcon() {
  // Read by Qt's own PNG reader: a reader left to detect the format asks every image plugin
  // whether it reads the file, which loads them all.
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    QImageReader reader(QStringLiteral(":/veltrane/icon/%1.png").arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

void Write(const std::string& text, std::FILE* stream) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  using veltrane::cli::Options;
  // A closed standard descriptor would be the next file opened, and output meant for it would
  // go there: each is held by /dev/null instead, and a closed standard output stays a failure.
  const bool stdoutOpen = ::fcntl(STDOUT_FILENO, F_GETFD) != -1;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) != fd) break;
  }
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto parsed = veltrane::cli::Parse(arguments);
  if (const auto* mistake = std::get_if<std::string>(&parsed)) {
    Write(*mistake, stderr);
    return 2;
  }
  Options options = std::get<Options>(parsed);

  // Content lies beside the executable, wherever the program is started from; the user's own
  // comes first.
  const std::filesystem::path appDir = veltrane::cli::ExecutableDirectory();
  const std::filesystem::path userDir =
      veltrane::UserContentRoot(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (options.mode != Options::Mode::Window) {
    veltrane::ContentRoots roots;
    if (!userDir.empty()) roots.push_back(userDir);
    roots.push_back(appDir);
    if (options.mode == Options::Mode::Generate) {
      void* module = LoadModelModule(appDir);
      const auto generate = module != nullptr ? reinterpret_cast<veltrane::modelui::RunGenerate>(
                                                    ::dlsym(module, "veltrane_model_generate"))
                                              : nullptr;
      if (generate == nullptr) return 1;
      return generate(&options, &roots, argc > 0 ? argv[0] : "veltrane");
    }
    return veltrane::cli::Deliver(veltrane::cli::Run(options, roots),
                                  stdoutOpen ? STDOUT_FILENO : -1, STDERR_FILENO);
  }
  if (!veltrane::cli::HasDisplay(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                 std::getenv("QT_QPA_PLATFORM"))) {
    Write(veltrane::cli::NoDisplayMessage(), stderr);
    return 1;
  }

  // Qt sees the program's name and its own options only.
  std::vector<char*> toolkitArgv{argv[0]};
  for (std::string& argument : options.toolkitArguments) toolkitArgv.push_back(argument.data());
  int toolkitArgc = static_cast<int>(toolkitArgv.size());
  toolkitArgv.push_back(nullptr);

  QApplication app(toolkitArgc, toolkitArgv.data());
  QApplication::setApplicationName(QStringLiteral("Veltrane"));
  QApplication::setApplicationVersion(QStringLiteral(VELTRANE_VERSION));
  // Lets the desktop match the window to the installed .desktop file and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.veltrane.Veltrane"));
  // Twips are a physical unit: they become pixels at the screen's logical dots per inch.
  veltrane::qt::SetScreenDpi(QGuiApplication::primaryScreen()->logicalDotsPerInch());
  QApplication::setWindowIcon(ProgramIcon());

  veltrane::qt::MainWindow window(appDir, userDir);
  // Sets up nothing until the writer first uses the model.
  LazyModelExtension model(window, appDir, userDir);
  window.SetExtension(&model);
  if (!window.Load(options.niche.value_or(0))) return 1;
  window.showMaximized();
  return QApplication::exec();
}
