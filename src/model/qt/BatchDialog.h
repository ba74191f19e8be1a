#pragma once

#include <QDialog>
#include <QPointer>
#include <filesystem>
#include <vector>

#include "model/ModelClient.h"
#include "prompt/Batch.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace veltrane::qt {
class Dialogs;
}

namespace veltrane::modelui {

class ModelSession;

// The subniche whose problems a batch writes, and the template the window has chosen.
struct BatchSource {
  ContentRoots roots;
  int niche = 0;
  int subniche = 0;
  bool includeFree = true;
};

// "Prompts for the Whole Subniche…": a prompt file per problem and calendar.csv in a folder
// the writer chooses; or, with a model set, the articles themselves, one after another. A run
// that stopped goes on where it stopped: files already there are kept.
class BatchDialog : public QDialog {
  Q_OBJECT
 public:
  BatchDialog(ModelSession& session, qt::Dialogs& dialogs, BatchSource source, QWidget* parent);
  bool Running() const { return running_; }

 signals:
  void RunEnded();

 private:
  void ChooseFolder();
  void Run();
  void Next();
  void WriteArticle(const BatchItem& item);
  void Finish(const QString& text);
  std::filesystem::path Folder() const;

  ModelSession& session_;
  qt::Dialogs& dialogs_;
  BatchSource source_;
  QLineEdit* folder_;
  QDateEdit* start_;
  QComboBox* rhythm_;
  QRadioButton* prompts_;
  QRadioButton* articles_;
  QProgressBar* progress_;
  QLabel* status_;
  QPushButton* run_;
  QPushButton* stop_;
  bool running_ = false;
  bool stopping_ = false;
  std::vector<BatchItem> left_;
  model::Endpoint endpoint_;
  QPointer<model::ChatStream> stream_;
};

}  // namespace veltrane::modelui
