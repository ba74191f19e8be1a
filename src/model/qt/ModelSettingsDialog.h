#pragma once

#include <QDialog>
#include <QPointer>

#include "model/ModelSettings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrane::modelui {

class ModelSession;

// "Model Settings…": the server's address, the model and the writer's key. Nothing is sent
// from here but what Refresh and Test Connection ask for, when pressed.
class ModelSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  ModelSettingsDialog(ModelSession& session, QWidget* parent);
  // What the writer chose, once accepted.
  const model::ModelSettings& Chosen() const { return chosen_; }

  void accept() override;

 private:
  void ChoosePreset(int index);
  void AddressEdited();
  // Asks the server for its models: fills the list, or says what went wrong.
  void AskForModels(bool test);
  void Say(const QString& text);

  ModelSession& session_;
  model::ModelSettings chosen_;
  QString storedKey_;
  QComboBox* preset_;
  QLineEdit* address_;
  QComboBox* model_;
  QPushButton* refresh_;
  QLineEdit* key_;
  QLabel* keyNote_;
  QPushButton* test_;
  QLabel* result_;
  QPointer<QObject> asking_;
};

}  // namespace veltrane::modelui
