#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "model/ModelClient.h"
#include "prompt/Batch.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace veltrane::qt {
class Dialogs;
}

namespace veltrane::modelui {

class ModelSession;

// What an article window sends: the prompt, where it came from, and where it goes (the key is
// looked up when sending).
struct ArticleJob {
  QString prompt;
  ArticleHeader header;  // its date is set when the article is saved
  model::Endpoint endpoint;
};

// One article streaming in from the model, beside the main window: plain text while it
// arrives, formatted Markdown once complete. Several may stream at once.
class ArticleWindow : public QWidget {
  Q_OBJECT
 public:
  // Its job comes with SetJob, before Send; it may be made ready before then.
  ArticleWindow(ModelSession& session, qt::Dialogs& dialogs, std::filesystem::path articles,
                QWidget* parent);
  ~ArticleWindow() override;

  void SetJob(ArticleJob job);
  // Lays the unseen window out and draws it once, so that showing it later costs little.
  void MakeReady();

  // Sends the prompt, again if it was sent before: what came before is dropped.
  void Send();
  const QString& Article() const { return text_; }
  bool Sending() const { return sending_; }
  bool Complete() const { return complete_; }
  QString Status() const;
  // The file Save wrote last, or empty.
  const std::filesystem::path& SavedFile() const { return saved_; }

 signals:
  void Finished(bool complete);

 private:
  void Start(const QString& key);
  void Append(const QString& piece);
  void ShowArrived();
  void End(bool complete, const QString& reason);
  void Show();  // formatted or plain, as the toggle says
  void Announce(const QString& text);
  void Save();
  void ExportHtml();
  void Report(const QString& text, bool failure);
  void UpdateButtons();

  ModelSession& session_;
  qt::Dialogs& dialogs_;
  std::filesystem::path articles_;
  ArticleJob job_;
  QPointer<model::ChatStream> stream_;
  QString text_;
  QString shown_;  // arrived, not in the view yet
  QTimer paced_;
  bool sending_ = false;
  bool complete_ = false;
  std::filesystem::path saved_;
  QLabel* status_;
  QList<QLabel*> about_;  // the job's niche, subniche, problem, article type and model
  QTextEdit* view_;
  QCheckBox* plain_;
  QPushButton* stop_;
  QPushButton* again_;
  QPushButton* copy_;
  QPushButton* save_;
  QPushButton* export_;
};

// The number of words in `text`, as the status says it.
int WordCount(const QString& text);

}  // namespace veltrane::modelui
