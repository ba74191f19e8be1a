#include "model/qt/ModelActions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "content/Failure.h"
#include "model/Address.h"
#include "model/qt/ArticleWindow.h"
#include "model/qt/BatchDialog.h"
#include "model/qt/ModelSettingsDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Widgets.h"

namespace veltrane::modelui {
namespace {

// In the prompt panel's free space, on the line of "Copy to Clipboard" and left of it.
constexpr form::Rect kSendLink{7830, 270, 3240, 330};

const auto kMakeSpare = static_cast<QEvent::Type>(QEvent::User);

}  // namespace

ModelActions::ModelActions(qt::MainWindow& window, std::filesystem::path appDir,
                           std::filesystem::path userDir, qt::Dialogs* dialogs,
                           model::SettingsFile settings, model::Limits limits)
    : window_(window),
      appDir_(std::move(appDir)),
      userDir_(std::move(userDir)),
      dialogs_(dialogs != nullptr ? *dialogs : ownDialogs_),
      session_(std::move(settings), limits) {}

ModelActions::~ModelActions() {
  // Their streams need the client's network manager, which goes with the session.
  for (ArticleWindow* article : window_.findChildren<ArticleWindow*>()) delete article;
}

std::filesystem::path ModelActions::ArticlesFolder() const {
  return userDir_.empty() ? std::filesystem::path() : userDir_ / "articles";
}

void ModelActions::PromptPanelBuilt(QWidget& panel) {
  auto* link = new qt::ClickLabel(QStringLiteral("Send to Model"), &panel);
  link->setObjectName(QStringLiteral("lblSendToModel"));
  link->SetLinkStyle();
  link->setFont(qt::VerdanaFont({9.75, true, true}));
  link->setAlignment(Qt::AlignRight | Qt::AlignTop);
  link->setGeometry(qt::ToQRect(kSendLink).translated(qt::ClientOrigin(&panel)));
  link->setAccessibleDescription(
      QStringLiteral("Sends the prompt to your own language model (Ctrl+Enter)"));
  link->setToolTip(QStringLiteral("Send the prompt to your own language model (Ctrl+Enter)"));
  if (auto* copy = panel.findChild<QWidget*>(QStringLiteral("lblCopyToClipboard"))) {
    QWidget::setTabOrder(copy, link);
  }
  connect(link, &qt::ClickLabel::clicked, this, [this] { Send(); });
  // While the writer reads the prompt. For a writer who has sent before, the article window is
  // made ready too, after the panel's paint (queued at the same low priority, so it goes first).
  QTimer::singleShot(0, this, [this] {
    spareFor_ = session_.Prepare();
    if (spareFor_) {
      QCoreApplication::postEvent(this, new QEvent(kMakeSpare), Qt::LowEventPriority);
    }
  });
}

void ModelActions::customEvent(QEvent* event) {
  if (event->type() != kMakeSpare || !spareFor_) return;
  if (!spare_) spare_ = new ArticleWindow(session_, dialogs_, ArticlesFolder(), &window_);
  spare_->SetJob(Job(window_.Text(TextBox::Prompt), *std::exchange(spareFor_, std::nullopt)));
  spare_->MakeReady();
}

void ModelActions::AddToPictureMenu(QMenu& menu) {
  menu.addSeparator();
  connect(menu.addAction(QStringLiteral("Model Settings\u2026")), &QAction::triggered, this,
          [this] { OpenSettings(); });
  connect(menu.addAction(QStringLiteral("Open Articles Folder")), &QAction::triggered, this,
          &ModelActions::OpenArticlesFolder);
}

void ModelActions::AddToProblemMenu(QMenu& menu) {
  menu.addSeparator();
  QAction* batch = menu.addAction(QStringLiteral("Prompts for the Whole Subniche\u2026"));
  batch->setEnabled(window_.Controller().SubnicheIndex() >= 0);
  connect(batch, &QAction::triggered, this, &ModelActions::OpenBatch);
  AddToPictureMenu(menu);
}

void ModelActions::ReportSettingsProblem() {
  if (const auto problem = session_.TakeProblem())
    window_.ShowWarning(problem->toStdString(), "Model Settings");
}

bool ModelActions::OpenSettings() {
  ReportSettingsProblem();
  ModelSettingsDialog dialog(session_, &window_);
  return dialogs_.Exec(dialog) == QDialog::Accepted;
}

bool ModelActions::ConfirmAddress(const QString& base) {
  model::ModelSettings settings = session_.Settings();
  if (settings.confirmed.contains(base)) return true;
  const std::string question =
      "Send the prompt to " + base.toStdString() +
      "?\n\nThe prompt goes to that address, and your key with it if you gave one. Veltrane "
      "asks this once for each address.";
  if (!window_.Confirm(question, "Send")) return false;
  settings.confirmed << base;
  if (const auto problem = session_.Save(settings)) {
    window_.ShowWarning(problem->toStdString(), "Model Settings");
  }
  return true;
}

ArticleWindow* ModelActions::Send() {
  const std::string prompt = window_.Text(TextBox::Prompt);
  if (prompt.empty() || !window_.IsPanelVisible(veltrane::Panel::Prompt)) return nullptr;
  ReportSettingsProblem();
  if (!session_.Settings().Ready() && !OpenSettings()) return nullptr;
  const model::ModelSettings settings = session_.Settings();
  const model::ParsedBase base = model::ParseBase(settings.base);
  if (!base.problem.isEmpty()) {
    window_.ShowWarning(base.problem.toStdString(), "Model Settings");
    return nullptr;
  }
  if (!ConfirmAddress(model::BaseText(base.url))) return nullptr;

  // The window made ready after Generate, unless Send has taken it already. Its texts change
  // only where the selection or the settings changed since.
  ArticleWindow* article =
      spare_ ? spare_.data() : new ArticleWindow(session_, dialogs_, ArticlesFolder(), &window_);
  spare_ = nullptr;
  article->SetJob(Job(prompt, {base.url, settings.model, {}}));
  // Beside the main window where the screen has room, a little apart from the last one.
  const QRect main = window_.frameGeometry();
  const QRect screen = window_.screen() != nullptr ? window_.screen()->availableGeometry() : main;
  const int step = 32 * (opened_++ % 8);
  QPoint at(main.right() + 8, main.top() + step);
  if (at.x() + article->width() > screen.right()) {
    at.setX(std::max(screen.left(), screen.right() - article->width() - step));
  }
  article->move(at);
  article->Send();  // the key lookup goes on while the window is shown
  article->show();
  return article;
}

ArticleJob ModelActions::Job(std::string prompt, model::Endpoint endpoint) const {
  const frmMain& controller = window_.Controller();
  auto* problems = window_.findChild<QListWidget*>(QStringLiteral("lstProblems"));
  const QListWidgetItem* item = problems != nullptr ? problems->currentItem() : nullptr;
  return {QString::fromStdString(prompt),
          {controller.txtActiveNicheText(),
           controller.txtActiveSubnicheText(),
           item != nullptr ? item->text().toStdString() : std::string("Article"),
           window_.FreeCheckValue() == 1,
           endpoint.model.toStdString(),
           {}},
          std::move(endpoint)};
}

void ModelActions::OpenBatch() {
  const frmMain& controller = window_.Controller();
  if (controller.CurrentNiche() < 0 || controller.SubnicheIndex() < 0) return;
  ReportSettingsProblem();
  ContentRoots roots;
  if (!userDir_.empty()) roots.push_back(userDir_);
  roots.push_back(appDir_);
  BatchDialog dialog(
      session_, dialogs_,
      {roots, controller.CurrentNiche(), controller.SubnicheIndex(), window_.FreeCheckValue() == 1},
      &window_);
  dialogs_.Exec(dialog);
}

void ModelActions::OpenArticlesFolder() {
  const std::filesystem::path folder = ArticlesFolder();
  try {
    if (folder.empty()) {
      throw Failure("Articles have no folder: neither XDG_DATA_HOME nor HOME names one.");
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      throw Failure("Could not make the folder \"" + folder.string() + "\": " + error.message() +
                    ".");
    }
    window_.OpenFolder(folder);
  } catch (const Failure& failure) {
    window_.ReportFailure(failure.what());
  }
}

}  // namespace veltrane::modelui
