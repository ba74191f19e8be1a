#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace veltrane::model {

// What the writer chose for the model. The key is not among them: it lives in the keyring.
struct ModelSettings {
  QString base;  // as BaseText gives it; empty until set
  QString model;
  QStringList confirmed;  // addresses the writer agreed to send prompts to

  bool Ready() const { return !base.isEmpty() && !model.isEmpty(); }
  bool operator==(const ModelSettings&) const = default;
};

struct LoadedSettings {
  ModelSettings settings;  // the defaults when the file could not be read
  std::optional<QString> problem;
};

// The [model] group of the desktop's usual settings file for Veltrane,
// $XDG_CONFIG_HOME/veltrane/veltrane.conf, or of the file at `path`.
class SettingsFile {
 public:
  SettingsFile();
  explicit SettingsFile(QString path);
  const QString& Path() const { return path_; }

  LoadedSettings Load() const;
  // Writes what differs from the file, nothing when nothing does; the problem when it could not.
  std::optional<QString> Save(const ModelSettings& settings) const;

 private:
  QString path_;
};

}  // namespace veltrane::model
