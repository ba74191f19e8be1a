#include "model/qt/ModelSession.h"

#include "model/Address.h"

namespace veltrane::modelui {

ModelSession::ModelSession(model::SettingsFile file, model::Limits limits, QObject* parent)
    : QObject(parent), file_(std::move(file)), limits_(limits) {}

ModelSession::~ModelSession() = default;

model::ModelClient& ModelSession::Client() {
  if (!client_) client_ = std::make_unique<model::ModelClient>(limits_);
  return *client_;
}

model::KeyStore& ModelSession::Keys() {
  if (!keys_) keys_ = std::make_unique<model::KeyStore>();
  return *keys_;
}

std::optional<model::Endpoint> ModelSession::Prepare() {
  const model::ModelSettings settings = settings_ ? *settings_ : file_.Load().settings;
  const model::ParsedBase base = model::ParseBase(settings.base);
  if (!settings.Ready() || !base.problem.isEmpty()) return std::nullopt;
  const QString address = model::BaseText(base.url);
  if (!settings.confirmed.contains(address)) return std::nullopt;
  if (!NetworkStarted()) {
    Client().Preconnect(base.url);
    Keys().Read(address, [](const QString&, const QString&) {});
  }
  return model::Endpoint{base.url, settings.model, {}};
}

const model::ModelSettings& ModelSession::Settings() {
  if (!settings_) {
    model::LoadedSettings loaded = file_.Load();
    settings_ = std::move(loaded.settings);
    problem_ = std::move(loaded.problem);
  }
  return *settings_;
}

std::optional<QString> ModelSession::TakeProblem() {
  Settings();
  return std::exchange(problem_, std::nullopt);
}

std::optional<QString> ModelSession::Save(const model::ModelSettings& settings) {
  Settings();
  if (settings == *settings_) return std::nullopt;
  settings_ = settings;
  return file_.Save(settings);
}

}  // namespace veltrane::modelui
