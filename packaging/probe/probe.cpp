// Preloaded (LD_PRELOAD) into the installed program by scripts/check-install, which has no
// options or hooks of its own: once the window is up, clicks the third region of the niche
// picture as a user would and prints what the window then shows, one "key=value" a line.
// Exit code: 0 when problems are listed, 3 when none; 4 when the window never came up, 5 when
// the program showed a message instead (both after printing why on stderr).

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMs = 50;
constexpr qint64 kGiveUpMs = 20000;

QElapsedTimer sinceStart;

void Print(const char* key, const QString& value) {
  std::printf("%s=%s\n", key, value.toUtf8().constData());
}

// The program's own exit path could hide the reason, so these end it on the spot.
[[noreturn]] void Abandon(int code, const QString& why) {
  std::fprintf(stderr, "probe: %s\n", why.toUtf8().constData());
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(code);
}

QWidget* VisibleRegion() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* region = window->findChild<QWidget*>(QStringLiteral("lblItem2"));
    if (region != nullptr && region->isVisible()) return region;
  }
  return nullptr;
}

void Click(QWidget* target) {
  const QPointF local(target->width() / 2.0, target->height() / 2.0);
  const QPointF global = target->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(target, &press);
  QCoreApplication::sendEvent(target, &release);
}

// The icon sizes that really load, not merely the ones asked for.
QString LoadedIconSizes(const QIcon& icon) {
  QStringList sizes;
  for (const QSize& size : icon.availableSizes()) {
    const QPixmap pixmap = icon.pixmap(size);
    if (!pixmap.isNull() && pixmap.size() == size) sizes << QString::number(size.width());
  }
  return sizes.join(QLatin1Char(','));
}

int ClickAndReport(QWidget* region) {
  QWidget* window = region->window();
  Click(region);
  auto* problems = window->findChild<QListWidget*>(QStringLiteral("lstProblems"));
  auto* niche = window->findChild<QLabel*>(QStringLiteral("lblSelectedNiche"));
  auto* problemText = window->findChild<QLineEdit*>(QStringLiteral("txtProblem"));
  if (problems == nullptr || niche == nullptr || problemText == nullptr) {
    Abandon(4, QStringLiteral("the window lacks lstProblems, lblSelectedNiche or txtProblem"));
  }
  Print("problems", QString::number(problems->count()));
  for (int row = 0; row < problems->count(); ++row) Print("problem", problems->item(row)->text());
  Print("niche", niche->text());
  Print("problem-text", problemText->text());
  Print("desktop-file", QGuiApplication::desktopFileName());
  Print("window-icon", LoadedIconSizes(window->windowIcon()));
  std::fflush(stdout);
  return problems->count() > 0 ? 0 : 3;
}

void Poll() {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    Abandon(5, QStringLiteral("the program shows a message: ") + box->text());
  }
  if (QWidget* region = VisibleRegion()) {
    QCoreApplication::exit(ClickAndReport(region));
    return;
  }
  if (sinceStart.elapsed() > kGiveUpMs) Abandon(4, QStringLiteral("no window came up"));
  QTimer::singleShot(kPollMs, &Poll);
}

// Runs while the application object is built; the timer first fires once events are handled.
void Start() {
  sinceStart.start();
  QTimer::singleShot(kPollMs, &Poll);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Start)
