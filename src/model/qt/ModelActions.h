#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>

#include "model/ModelClient.h"
#include "model/ModelSettings.h"
#include "model/qt/ArticleWindow.h"
#include "model/qt/ModelSession.h"
#include "ui/qt/Dialogs.h"
#include "ui/qt/WindowExtension.h"

namespace veltrane::qt {
class MainWindow;
class ClickLabel;
}  // namespace veltrane::qt

namespace veltrane::modelui {

// Adds the writer's model to the main window: "Send to Model" in the prompt panel and
// Ctrl+Enter, the settings, the subniche batch and the articles folder in its menus.
// Constructing it sets up nothing; the network and the settings come at their first use.
class ModelActions : public QObject, public qt::WindowExtension {
  Q_OBJECT
 public:
  // Content comes from `userDir` then `appDir`, as the window's; articles are saved below
  // `userDir`/articles. Dialogs go through `dialogs` where given.
  ModelActions(qt::MainWindow& window, std::filesystem::path appDir, std::filesystem::path userDir,
               qt::Dialogs* dialogs = nullptr, model::SettingsFile settings = {},
               model::Limits limits = {});
  ~ModelActions() override;

  void PromptPanelBuilt(QWidget& panel) override;
  void AddToPictureMenu(QMenu& menu) override;
  void AddToProblemMenu(QMenu& menu) override;
  void SendKey() override { Send(); }

  // Opens an article window for the prompt shown, after the settings and the address are
  // agreed to where they are not yet. Nothing when the writer cancels.
  ArticleWindow* Send();
  bool OpenSettings();
  void OpenBatch();
  void OpenArticlesFolder();

  ModelSession& Session() { return session_; }
  std::filesystem::path ArticlesFolder() const;

 private:
  void customEvent(QEvent* event) override;
  bool ConfirmAddress(const QString& base);
  // What "Send to Model" sends now: the prompt shown and where it came from.
  ArticleJob Job(std::string prompt, model::Endpoint endpoint) const;
  void ReportSettingsProblem();

  qt::MainWindow& window_;
  std::filesystem::path appDir_;
  std::filesystem::path userDir_;
  qt::Dialogs ownDialogs_;
  qt::Dialogs& dialogs_;
  ModelSession session_;
  int opened_ = 0;                 // article windows opened, to set each a little apart
  QPointer<ArticleWindow> spare_;  // made ready after Generate, shown by the next Send
  std::optional<model::Endpoint> spareFor_;
};

}  // namespace veltrane::modelui
