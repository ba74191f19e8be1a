#pragma once

#include <QObject>
#include <memory>
#include <optional>

#include "model/KeyStore.h"
#include "model/ModelClient.h"
#include "model/ModelSettings.h"

namespace veltrane::modelui {

// The program's one connection to the writer's model: the client, the keys and the settings.
// Each is set up at its first use, so a program that never sends sets up nothing.
class ModelSession : public QObject {
  Q_OBJECT
 public:
  explicit ModelSession(model::SettingsFile file = {}, model::Limits limits = {},
                        QObject* parent = nullptr);
  ~ModelSession() override;

  model::ModelClient& Client();
  model::KeyStore& Keys();
  bool NetworkStarted() const { return client_ != nullptr && client_->NetworkStarted(); }
  // For a writer who has sent to the saved address before: connects to it and asks the keyring
  // for its key now, so that the next Send answers as fast as later ones. Sends no request, and
  // keeps nothing of the settings file, which is read afresh. The address and model it readied
  // for (no key), or nothing.
  std::optional<model::Endpoint> Prepare();

  // Read from the file at the first call. A file that could not be read gives the defaults, and
  // its problem once, through TakeProblem.
  const model::ModelSettings& Settings();
  std::optional<QString> TakeProblem();
  // Keeps `settings` and writes what changed; the problem when the file could not be written.
  std::optional<QString> Save(const model::ModelSettings& settings);

 private:
  model::SettingsFile file_;
  model::Limits limits_;
  std::unique_ptr<model::ModelClient> client_;
  std::unique_ptr<model::KeyStore> keys_;
  std::optional<model::ModelSettings> settings_;
  std::optional<QString> problem_;
};

}  // namespace veltrane::modelui
